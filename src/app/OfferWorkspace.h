#pragma once

#include <string>

#include "app/FolderListing.h"
#include "app/TextTables.h"

namespace app {

// A line of an article list: its file's name and its line number (from 1).
struct TLineOrigin {
  std::string File;
  int Line = 0;
  bool operator==(const TLineOrigin&) const = default;
};

// The text "bez obrázků" that stands for "no picture folder".
inline constexpr const char* kNoImageFolder = "bez obrázků";
inline constexpr const char* kImageFolderSuffix = "_soubory";

// The complete in-memory state of the one offer the main window works on.
// Every value is a text; counts, prices and row numbers are decimal texts,
// converted where a step uses them. The visible controls (the item list, the
// detail fields, the totals) are in TMainWindowState.
//
// Shape after a pipeline run on a list of n lines (SourceLines):
//  - ArticleGrid rows 0..n: row 1 the title row, row k+1 holds line k;
//  - ItemStartRows: the ArticleGrid rows (2..n-1) that are not continuation
//    lines; imported item i spans rows ItemStartRows[i] .. ItemStartRows[i+1]-1
//    (item line, description line, property lines);
//  - CalcGrid row i+1: item i (col 0 number, 1 code, 2 count, 3 unit price,
//    4 total, 5 description of an additional item); row ItemCount+1: the sum;
//  - ItemImagePaths[i]: picture of imported item i.
// Item i is imported when i < ImportedItemCount, otherwise it lives only in
// CalcGrid and the item list.
struct TOfferWorkspace {
  // Master table: the folded, non-empty lines of the article list(s).
  TTextList SourceLines;

  // Derived tables, rebuilt by every pipeline run.
  TTextGrid ArticleGrid{7, 20};
  TTextList ItemStartRows;
  TTextGrid CalcGrid{6, 6};

  // Filled by the additional-items dialog and the customer list.
  TTextGrid ExtraItemsGrid{5, 30};
  TTextGrid CustomerGrid{8, 5};

  TTextList ItemImagePaths;

  // Scalars.
  std::string ItemCount = "0";
  std::string ImportedItemCount = "0";
  std::string SelectedItemIndex;
  std::string CurrentCsvPath;
  std::string ExportFilePath;
  std::string OpenedCsvName;
  std::string ImageFolderName;
  std::string ImageFolderPath = kNoImageFolder;
  std::string AppendImageFolderName;
  std::string AppendImageFolderPath = kNoImageFolder;
  std::string CurrentImagePath;
  std::string LatestCsvEntry;
  std::string LatestCsvName;
  std::string EditedItemLine;

  // Folder listings.
  TFolderListing CsvFileList{"*.csv"};
  TTextList CsvFilesByStamp;
  TDirectoryView FolderListing;
  TTextList FolderNames;
  // How many leading entries of FolderNames are path components, not sub-folders.
  std::size_t FolderNamesComponentCount = 0;
  TFolderListing ImageFolderFiles{"*.jpg"};
  TFolderListing AppendImageFolderFiles{"*.jpg"};
  TTextList ImageFileNames;
  TTextList AppendImageFileNames;

  // Where each SourceLines entry came from, kept in step with it, so that a
  // message can say which file and line a bad item is on; AppendOrigins
  // likewise for AppendLines.
  std::vector<TLineOrigin> SourceOrigins;
  std::vector<TLineOrigin> AppendOrigins;

  // The offer holds edits that no export has written yet (counts, prices,
  // moves, an appended list, additional items): throwing it away asks first.
  bool UnexportedChanges = false;

  // Scratch lists.
  TTextList AppendLines;
  TTextList MergeLines;
  TTextList SelectedItemLines;
  TTextList NeighbourItemLines;
};

}  // namespace app
