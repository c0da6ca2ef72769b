#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// File formats of the document model: the exporter base class, the
// process-wide registry that picks a format by file extension or by the
// save dialog's filter index, and the platform services a save needs (the
// save dialog and the shell's "open").
namespace sheet {

class TExportWorkbook;
class TExportCell;

// Texts of the save and load paths.
inline constexpr const char* kAllSupportedFiles = "All supported files";
inline constexpr const char* kMsgFileNotProcessed =
    "The file \"%s\" could not be processed.\r\n\r\nThe file extension is not assigned to any exporter.";
inline constexpr const char* kMsgExtensionNotAssigned = "The file extension \"%s\" is not assigned to any exporter.";
inline constexpr const char* kMsgNoExtension = "Filename does not contain any extension.";
inline constexpr const char* kMsgInvalidTitles =
    "There are invalid title names in your export (e.g. duplicates or empty titles).";
inline constexpr const char* kMsgUnknownFilterIndex = "TExportWorkbook.SaveToFileWithDialog2: Unknown FilterIndex";
inline constexpr const char* kMsgInvalidXls = "The file is not a valid XLS (Excel 97-2003) file.";
inline constexpr const char* kMsgOldXls =
    "The file can't be opened because it has an old XLS format (Excel 5.0/95).\r\n\r\nPlease open the file in Excel "
    "and resave it as XLS for Excel 97-XP or XLSX for Excel 2007-2010.";
inline constexpr const char* kMsgInvalidXlsx = "The file is not a valid XLSX (Excel 2007) file.";
inline constexpr const char* kMsgInvalidZip = "The file is not a valid ZIP file.";

// Format identifiers: a real exporter registered with the identifier of a
// placeholder takes the placeholder's place in the registry.
inline constexpr const char* kFormatXlsx = "xlsx";
inline constexpr const char* kFormatXls = "xls";
inline constexpr const char* kFormatOds = "ods";
inline constexpr const char* kFormatCsv = "csv";
inline constexpr const char* kFormatZipCsv = "zipcsv";

// One file format. Writers and readers derive from it and override what they
// support; the base writes nothing and loads an empty workbook.
class TCustomExporter {
 public:
  TCustomExporter(std::string formatId, std::string filterText, std::vector<std::string> extensions);
  virtual ~TCustomExporter();
  TCustomExporter(const TCustomExporter&) = delete;
  TCustomExporter& operator=(const TCustomExporter&) = delete;

  const std::string& FormatId() const { return fFormatId; }
  const std::string& FilterText() const { return fFilterText; }
  TCustomExporter& SetFilterText(std::string text);
  // Lower-case extensions without dot; the first is the preferred one.
  const std::vector<std::string>& ExtList() const { return fExtList; }
  TCustomExporter& SetExtList(std::vector<std::string> extensions);
  bool HasExtension(std::string_view normalizedExtension) const;
  // The workbook of the last save or load, or none.
  TExportWorkbook* Owner() const { return fOwner; }
  // The file being written while a save to a file runs (empty for a stream):
  // a format whose parts depend on the extension reads it.
  const std::string& TargetFileName() const { return fTargetFileName; }
  TCustomExporter& SetTargetFileName(std::string fileName) {
    fTargetFileName = std::move(fileName);
    return *this;
  }

  // A fresh instance of the same format (the "class" forms of the save and
  // load entry points use temporary instances).
  virtual std::unique_ptr<TCustomExporter> CreateNew() const = 0;

  virtual bool Prepare(TExportWorkbook& workbook);
  // Writes Owner() into the stream.
  virtual void SaveToStream(std::ostream& stream);
  // Sets the owner and removes all worksheets of the workbook; formats then read the stream.
  virtual bool LoadFromStream(std::istream& stream, TExportWorkbook& workbook);

  // Padding and spacing added to measured texts for automatic column widths, in pixels.
  virtual double CellPadding() const { return 0; }
  virtual double RunSpacing() const { return 0; }
  // Height of a wrapped string cell in a column of the given width (0 = the base has no notion).
  virtual double GetMultiLineRowHeight(const TExportCell& cell, double realColWidth) const;
  virtual int MaxColCount() const { return 2147483647; }
  virtual int MaxRowCount() const { return 2147483647; }

 protected:
  void SetOwner(TExportWorkbook* owner) { fOwner = owner; }

 private:
  std::string fFormatId;
  TExportWorkbook* fOwner = nullptr;
  std::string fTargetFileName;
  std::string fFilterText;
  std::vector<std::string> fExtList;
};

// Makes a fresh exporter of one format (the "exporter class" of the save and
// load entry points).
using TExporterClass = std::function<std::unique_ptr<TCustomExporter>()>;

// Stand-in for a format that is registered by name and extensions but has no
// writer or reader in this build: saving or loading with it raises
// EExportException.
class TUnavailableExporter : public TCustomExporter {
 public:
  using TCustomExporter::TCustomExporter;
  std::unique_ptr<TCustomExporter> CreateNew() const override;
  void SaveToStream(std::ostream& stream) override;
  bool LoadFromStream(std::istream& stream, TExportWorkbook& workbook) override;
};

// The ordered list of exporters; position 0 is the default format. One
// process-wide instance (Instance()) starts with the standard formats as
// placeholders; tests may build their own.
class TExporterRegistry {
 public:
  TExporterRegistry() = default;
  TExporterRegistry(const TExporterRegistry&) = delete;
  TExporterRegistry& operator=(const TExporterRegistry&) = delete;

  static TExporterRegistry& Instance();

  // Registers the standard formats in the start-up order (CSV appended, zipped
  // CSV appended, XLSX at 0, XLS at 1, ODS at 2), each as a placeholder.
  void RegisterStandardFormats();
  // Appends (position < 0) or inserts at position (clamped). When an
  // unavailable placeholder with the same format id is registered, the new
  // exporter replaces it where it stands and position is ignored.
  TCustomExporter& Register(std::unique_ptr<TCustomExporter> exporter, int position = -1);
  void Clear();

  int Count() const { return static_cast<int>(fExporters.size()); }
  TCustomExporter& At(int position) const;
  int IndexOf(const TCustomExporter* exporter) const;
  // Position 0, or none when empty.
  TCustomExporter* DefaultExporter() const;

  // Extension with or without the dot, any case; empty finds nothing.
  TCustomExporter* FindByExtension(std::string_view extension) const;
  TCustomExporter* FindByFileName(std::string_view fileName) const;
  TCustomExporter* FindByFormat(std::string_view formatId) const;
  template <class T>
  T* Find() const {
    for (const auto& e : fExporters)
      if (auto* found = dynamic_cast<T*>(e.get())) return found;
    return nullptr;
  }

  // Modes: 0 = "All supported files" first, 1 = last, 2 = none.
  std::string FilterString(int mode) const;
  int FilterIndexOfExtension(std::string_view extension, int mode, int defaultIndex) const;
  TCustomExporter* ExporterOfFilterIndex(int filterIndex, std::string_view fileName, int mode) const;

 private:
  int PositionOfExtension(std::string_view extension) const;

  std::vector<std::unique_ptr<TCustomExporter>> fExporters;
};

// Shorthands on the process-wide registry.
TExporterRegistry& ExporterRegistry();
TCustomExporter& RegisterExporter(std::unique_ptr<TCustomExporter> exporter, int position = -1);

// The save dialog's filter index of the last save in this run (1-based; 0 = the dialog's default).
int DefaultFilterIndex();
void SetDefaultFilterIndex(int index);

// File-name helpers as the save and load paths use them ("/" separates
// folders, on Windows "\" too).
// The extension with its dot ("" when none); a dot in a folder name does not count.
std::string ExtractFileExt(std::string_view fileName);
std::string ExtractFileDir(std::string_view fileName);
std::string ExtractFileName(std::string_view fileName);
// Lower case, one leading dot removed.
std::string NormalizeExtension(std::string_view extension);

// The save dialog's proposal from a workbook title: \ / : * ? " < > | become "-".
std::string FileNameFromTitle(std::string_view title);
// Makes the chosen file name carry an extension of the chosen exporter:
// none -> append the preferred one; another format's extension -> replace it;
// an unknown one -> append.
std::string FixSaveFileExtension(std::string_view fileName, const TCustomExporter& chosen,
                                 const TExporterRegistry& registry);

// The toolkit's file-save dialog.
class TSaveDialog {
 public:
  virtual ~TSaveDialog() = default;
  // Shows the dialog; false when the user cancels. On true, fFileName and
  // fFilterIndex hold the user's choice.
  virtual bool Execute() = 0;

  std::string fInitialDir;
  std::string fFileName;
  std::string fFilter;
  int fFilterIndex = 0;
  std::string fDefaultExt;
  bool fOverwritePrompt = false;
  bool fPathMustExist = false;
};
using TSaveDialogFactory = std::function<std::unique_ptr<TSaveDialog>()>;
// Empty until the toolkit sets it; saving with a dialog then raises EExportException.
void SetSaveDialogFactory(TSaveDialogFactory factory);
const TSaveDialogFactory& SaveDialogFactory();

// The desktop's "open" action for a written file (the document, its folder).
using TShellOpen = std::function<void(const std::string& fileName, const std::string& workingDir)>;
// Empty (nothing is opened) until the application sets it.
void SetShellOpen(TShellOpen open);
const TShellOpen& ShellOpen();

}  // namespace sheet
