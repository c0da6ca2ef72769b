#pragma once

#include <string>
#include <string_view>
#include <vector>

// Folder listings and the time-stamp list are ordered as texts without regard
// to case, as the desktop platform orders file names: «img10.jpg» before
// «img9.jpg», «image010.jpg» after «image009.jpg».
namespace app {

// <0, 0, >0. Letters of Latin-1 and Latin Extended-A (the Czech letters) fold
// to lower case; everything else compares by UTF-16 code unit.
int CompareTextNoCase(std::string_view a, std::string_view b);
bool SameTextNoCase(std::string_view a, std::string_view b);
void SortTextsNoCase(std::vector<std::string>& texts);

// File mask with '*' and '?' as the platform matches them, without regard to case.
bool MatchesMask(std::string_view name, std::string_view mask);

}  // namespace app
