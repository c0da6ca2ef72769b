// Saving and loading of TExportWorkbook through the format registry, the save
// dialog path and progress reporting.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "sheet/Exceptions.h"
#include "sheet/FormatRegistry.h"
#include "sheet/Progress.h"
#include "sheet/ReplacementFile.h"
#include "sheet/Workbook.h"
#include "text/PathText.h"

namespace sheet {

namespace {

std::string FormatMessage(const char* pattern, const std::string& value) {
  std::string message = pattern;
  if (const std::size_t pos = message.find("%s"); pos != std::string::npos) message.replace(pos, 2, value);
  return message;
}

std::string FullFileName(const std::string& fileName) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(text::PathFromUtf8(fileName), ec);
  return ec ? fileName : text::Utf8FromPath(full.lexically_normal());
}

void ThrowIfFolder(const std::string& fileName) {
  std::error_code ec;
  if (std::filesystem::is_directory(text::PathFromUtf8(fileName), ec)) {
    throw EExportFileException("Cannot create file \"" + FullFileName(fileName) + "\". It is a folder.");
  }
}

[[noreturn]] void ThrowUnassigned(const std::string& fileName) {
  throw EExportFileNameException(FormatMessage(kMsgFileNotProcessed, FullFileName(fileName)));
}

std::unique_ptr<TCustomExporter> MakeExporter(const TExporterClass& exporterClass) {
  std::unique_ptr<TCustomExporter> exporter = exporterClass ? exporterClass() : nullptr;
  if (!exporter) throw EExportException("TExportWorkbook: the exporter class made no exporter.");
  return exporter;
}

// The progress window of one save or load: made when the toolkit provides a
// factory, progress is wanted and no callback takes the steps; freed on every
// way out.
class TProgressScope {
 public:
  explicit TProgressScope(TExportWorkbook& workbook) : fWorkbook(workbook) {
    const auto& factory = ProgressWindowFactory();
    if (factory && workbook.UseProgress() && !workbook.OnProgress() && !workbook.fProgressDlg) {
      workbook.fProgressDlg = std::make_unique<TExportProgressDialog>(factory());
      fOwns = true;
    }
  }
  ~TProgressScope() {
    if (fOwns) fWorkbook.fProgressDlg.reset();
  }
  TProgressScope(const TProgressScope&) = delete;
  TProgressScope& operator=(const TProgressScope&) = delete;

 private:
  TExportWorkbook& fWorkbook;
  bool fOwns = false;
};

// A name beside the target that no other file uses.
bool SaveStreamPrepared(TExportWorkbook& workbook, std::ostream& stream, TCustomExporter& exporter) {
  workbook.CheckTitles();
  TProgressScope progress(workbook);
  exporter.SaveToStream(stream);
  return true;
}

}  // namespace

bool TCustomExporter::LoadFromStream(std::istream&, TExportWorkbook& workbook) {
  fOwner = &workbook;
  workbook.WorkSheets().Clear();
  return true;
}

void TExportWorkbook::DoProgress(TExportProgressNotificationType aStep, int aPosition, int aCount,
                                 const std::string& aText) {
  if (!fUseProgress) return;
  if (fOnProgress) {
    fOnProgress(*this, aStep, aPosition, aCount);
    return;
  }
  if (fProgressDlg) fProgressDlg->Notify(aStep, aPosition, aCount, aText);
}

bool TExportWorkbook::SaveToFile(const std::string& aFileName, bool aExecuteFileAfterExport) {
  ThrowIfFolder(aFileName);  // before its extension is judged: a folder is what is wrong
  TCustomExporter* exporter = ExporterRegistry().FindByFileName(aFileName);
  if (!exporter) ThrowUnassigned(aFileName);
  return SaveToFile(aFileName, *exporter, aExecuteFileAfterExport);
}

bool TExportWorkbook::SaveToFile(const std::string& aFileName, const TExporterClass& aExporterClass,
                                 bool aExecuteFileAfterExport) {
  std::unique_ptr<TCustomExporter> exporter = MakeExporter(aExporterClass);
  return SaveToFile(aFileName, *exporter, aExecuteFileAfterExport);
}

// The workbook is written to a new file that replaces the target only when
// the whole save succeeded (TReplacementFile): a failed or killed export
// never destroys an earlier file nor leaves a half-written one, and nothing
// is written for invalid titles. A full disk is told as such, naming the
// target, whatever the writer made of the failed write.
bool TExportWorkbook::SaveToFile(const std::string& aFileName, TCustomExporter& aExporter,
                                 bool aExecuteFileAfterExport) {
  if (!aExporter.Prepare(*this)) return false;
  CheckTitles();
  ThrowIfFolder(aFileName);
  TReplacementFile file{text::PathFromUtf8(aFileName)};
  bool result = false;
  try {
    aExporter.SetTargetFileName(aFileName);
    struct TForgetTarget {
      TCustomExporter& fExporter;
      ~TForgetTarget() { fExporter.SetTargetFileName({}); }
    } forget{aExporter};
    result = SaveStreamPrepared(*this, file.Stream(), aExporter);
  } catch (const std::exception&) {
    const std::string cause = file.SpaceErrorText();
    if (!cause.empty()) throw EExportFileException("Cannot write file \"" + FullFileName(aFileName) + "\". " + cause);
    throw;
  }
  file.Commit();
  if (result && aExecuteFileAfterExport && ShellOpen()) {
    const std::string full = FullFileName(aFileName);
    ShellOpen()(full, ExtractFileDir(full));
  }
  return result;
}

bool TExportWorkbook::SaveToStream(std::ostream& aStream, TCustomExporter& aExporter) {
  if (!aExporter.Prepare(*this)) return false;
  return SaveStreamPrepared(*this, aStream, aExporter);
}

bool TExportWorkbook::SaveToStream(std::ostream& aStream, const TExporterClass& aExporterClass) {
  std::unique_ptr<TCustomExporter> exporter = MakeExporter(aExporterClass);
  return SaveToStream(aStream, *exporter);
}

bool TExportWorkbook::LoadFromFile(const std::string& aFileName) {
  TCustomExporter* exporter = ExporterRegistry().FindByFileName(aFileName);
  if (!exporter) ThrowUnassigned(aFileName);
  return LoadFromFile(aFileName, *exporter);
}

bool TExportWorkbook::LoadFromFile(const std::string& aFileName, TCustomExporter& aExporter) {
  std::ifstream stream(text::PathFromUtf8(aFileName), std::ios::binary);
  if (!stream) throw EExportFileException("Cannot open file \"" + FullFileName(aFileName) + "\". " + std::strerror(errno));
  return LoadFromStream(stream, aExporter);
}

bool TExportWorkbook::LoadFromFile(const std::string& aFileName, const TExporterClass& aExporterClass) {
  std::unique_ptr<TCustomExporter> exporter = MakeExporter(aExporterClass);
  return LoadFromFile(aFileName, *exporter);
}

bool TExportWorkbook::LoadFromStream(std::istream& aStream, TCustomExporter& aExporter) {
  TProgressScope progress(*this);
  return aExporter.LoadFromStream(aStream, *this);
}

bool TExportWorkbook::LoadFromStream(std::istream& aStream, const TExporterClass& aExporterClass) {
  std::unique_ptr<TCustomExporter> exporter = MakeExporter(aExporterClass);
  return LoadFromStream(aStream, *exporter);
}

bool TExportWorkbook::SaveToFileWithDialog(const std::string& aFileName, const std::string& aInitialDir,
                                           bool aExecuteFileAfterExport) {
  const auto& factory = SaveDialogFactory();
  std::unique_ptr<TSaveDialog> dialog = factory ? factory() : nullptr;
  if (!dialog) throw EExportException("TExportWorkbook.SaveToFileWithDialog: no save dialog is available.");
  TExporterRegistry& registry = ExporterRegistry();
  dialog->fInitialDir = aInitialDir;
  dialog->fFilter = registry.FilterString(2);
  dialog->fFilterIndex = DefaultFilterIndex();
  if (!aFileName.empty()) {
    dialog->fInitialDir = ExtractFileDir(aFileName);
    dialog->fFileName = ExtractFileName(aFileName);
    dialog->fFilterIndex = registry.FilterIndexOfExtension(ExtractFileExt(aFileName), 2, dialog->fFilterIndex);
  } else {
    dialog->fFileName = FileNameFromTitle(Title());
  }
  dialog->fOverwritePrompt = true;
  dialog->fPathMustExist = true;
  if (TCustomExporter* first = registry.DefaultExporter(); first && !first->ExtList().empty())
    dialog->fDefaultExt = first->ExtList().front();
  if (!dialog->Execute()) return false;
  std::string fileName = dialog->fFileName;
  TCustomExporter* exporter = registry.ExporterOfFilterIndex(dialog->fFilterIndex, fileName, 2);
  if (!exporter) throw EExportException(kMsgUnknownFilterIndex);
  fileName = FixSaveFileExtension(fileName, *exporter, registry);
  const bool saved = SaveToFile(fileName, *exporter, aExecuteFileAfterExport);
  // Only a type that wrote the file is offered again: one that failed (the
  // read-only XLS) would fail again the next time.
  if (saved) SetDefaultFilterIndex(dialog->fFilterIndex);
  return saved;
}

}  // namespace sheet
