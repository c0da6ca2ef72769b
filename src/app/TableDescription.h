#pragma once

#include <string>
#include <string_view>
#include <vector>

// The table description file: one line of text in the ANSI code page, ended
// by CR LF. The window's side (loading at start-up, Enter in the field) is in
// TMainWindow; these are the file's contents.
namespace app {

// The description and CR LF in the code page; characters the code page
// cannot hold become its default character "?".
std::string EncodeDescriptionFile(std::string_view description, int ansiCodePage);

// The first line of the file (up to the first CR or LF, or the end); an
// empty file gives an empty description.
std::string DecodeDescriptionFile(std::string_view bytes, int ansiCodePage);

// "Zadaný popis tabulky zaznamenán na disku", and where characters had to
// be replaced, which ones: "…; znaky → ☺, které soubor neudrží, byly
// nahrazeny otazníkem".
std::string DescriptionStoredMessage(const std::vector<std::string>& replaced);

}  // namespace app
