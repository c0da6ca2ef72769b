#include "sheet/FormatRegistry.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "sheet/Exceptions.h"
#include "text/TextCase.h"

namespace sheet {

namespace {

// Windows takes both delimiters, other systems only their own.
std::size_t LastSeparator(std::string_view fileName) {
#ifdef _WIN32
  return fileName.find_last_of("\\/");
#else
  return fileName.find_last_of('/');
#endif
}

// "/" or "C:\": a folder that keeps its delimiter as the folder of its files.
bool IsRootAt(std::string_view fileName, std::size_t separator) {
  return separator == 0 || (separator == 2 && fileName[1] == ':');
}

}  // namespace

// ---- TCustomExporter ----

TCustomExporter::TCustomExporter(std::string formatId, std::string filterText, std::vector<std::string> extensions)
    : fFormatId(std::move(formatId)), fFilterText(std::move(filterText)) {
  SetExtList(std::move(extensions));
}

TCustomExporter::~TCustomExporter() = default;

TCustomExporter& TCustomExporter::SetFilterText(std::string text) {
  fFilterText = std::move(text);
  return *this;
}

TCustomExporter& TCustomExporter::SetExtList(std::vector<std::string> extensions) {
  fExtList.clear();
  for (const auto& e : extensions) {
    std::string n = NormalizeExtension(e);
    if (!n.empty()) fExtList.push_back(std::move(n));
  }
  return *this;
}

bool TCustomExporter::HasExtension(std::string_view normalizedExtension) const {
  return std::find(fExtList.begin(), fExtList.end(), normalizedExtension) != fExtList.end();
}

bool TCustomExporter::Prepare(TExportWorkbook& workbook) {
  fOwner = &workbook;
  return true;
}

void TCustomExporter::SaveToStream(std::ostream&) {}

double TCustomExporter::GetMultiLineRowHeight(const TExportCell&, double) const { return 0; }

// ---- TUnavailableExporter ----

std::unique_ptr<TCustomExporter> TUnavailableExporter::CreateNew() const {
  return std::make_unique<TUnavailableExporter>(FormatId(), FilterText(), ExtList());
}

void TUnavailableExporter::SaveToStream(std::ostream&) {
  throw EExportException("The file format \"" + FilterText() + "\" cannot be written yet.");
}

bool TUnavailableExporter::LoadFromStream(std::istream&, TExportWorkbook&) {
  throw EExportException("The file format \"" + FilterText() + "\" cannot be read yet.");
}

// ---- TExporterRegistry ----

TExporterRegistry& TExporterRegistry::Instance() {
  static TExporterRegistry* registry = [] {
    auto* r = new TExporterRegistry();  // lives for the whole process, also past static destruction
    r->RegisterStandardFormats();
    return r;
  }();
  return *registry;
}

void TExporterRegistry::RegisterStandardFormats() {
  Register(std::make_unique<TUnavailableExporter>(kFormatCsv, "CSV comma-separated text",
                                                  std::vector<std::string>{"csv", "txt"}),
           -1);
  Register(std::make_unique<TUnavailableExporter>(kFormatZipCsv, "Zipped CSV", std::vector<std::string>{"zip"}), -1);
  Register(std::make_unique<TUnavailableExporter>(kFormatXlsx, "Excel 2007",
                                                  std::vector<std::string>{"xlsx", "xlsm", "xltx", "xltm"}),
           0);
  Register(std::make_unique<TUnavailableExporter>(kFormatXls, "Excel 97, 2000, XP",
                                                  std::vector<std::string>{"xls", "xlt"}),
           1);
  Register(std::make_unique<TUnavailableExporter>(kFormatOds, "Open Office Calc",
                                                  std::vector<std::string>{"ods", "ots"}),
           2);
}

TCustomExporter& TExporterRegistry::Register(std::unique_ptr<TCustomExporter> exporter, int position) {
  if (!exporter) throw EExportException("TExporterRegistry.Register: no exporter");
  if (!exporter->FormatId().empty()) {
    for (auto& slot : fExporters) {
      if (slot->FormatId() == exporter->FormatId() && dynamic_cast<TUnavailableExporter*>(slot.get())) {
        slot = std::move(exporter);
        return *slot;
      }
    }
  }
  auto where = fExporters.end();
  if (position >= 0) where = fExporters.begin() + std::min<std::size_t>(static_cast<std::size_t>(position), fExporters.size());
  return **fExporters.insert(where, std::move(exporter));
}

void TExporterRegistry::Clear() { fExporters.clear(); }

TCustomExporter& TExporterRegistry::At(int position) const {
  if (position < 0 || position >= Count())
    throw EExportException("TExporterRegistry: index " + std::to_string(position) + " out of bounds");
  return *fExporters[static_cast<std::size_t>(position)];
}

int TExporterRegistry::IndexOf(const TCustomExporter* exporter) const {
  for (int i = 0; i < Count(); ++i)
    if (fExporters[static_cast<std::size_t>(i)].get() == exporter) return i;
  return -1;
}

TCustomExporter* TExporterRegistry::DefaultExporter() const {
  return fExporters.empty() ? nullptr : fExporters.front().get();
}

int TExporterRegistry::PositionOfExtension(std::string_view extension) const {
  const std::string normalized = NormalizeExtension(extension);
  if (normalized.empty()) return -1;
  for (int i = 0; i < Count(); ++i)
    if (fExporters[static_cast<std::size_t>(i)]->HasExtension(normalized)) return i;
  return -1;
}

TCustomExporter* TExporterRegistry::FindByExtension(std::string_view extension) const {
  const int p = PositionOfExtension(extension);
  return p < 0 ? nullptr : fExporters[static_cast<std::size_t>(p)].get();
}

TCustomExporter* TExporterRegistry::FindByFileName(std::string_view fileName) const {
  return FindByExtension(ExtractFileExt(fileName));
}

TCustomExporter* TExporterRegistry::FindByFormat(std::string_view formatId) const {
  for (const auto& e : fExporters)
    if (e->FormatId() == formatId) return e.get();
  return nullptr;
}

std::string TExporterRegistry::FilterString(int mode) const {
  std::string result;
  std::string all;
  for (const auto& e : fExporters) {
    if (e->ExtList().empty()) continue;
    std::string shown;
    std::string patterns;
    for (const auto& ext : e->ExtList()) {
      const std::string pattern = "*." + ext;
      if (!shown.empty()) shown += ",";
      shown += pattern;
      if (!patterns.empty()) patterns += ";";
      patterns += pattern;
      if (!all.empty()) all += ";";
      all += pattern;
    }
    if (!result.empty()) result += "|";
    result += e->FilterText() + " (" + shown + ")|" + patterns;
  }
  if (mode == 0) return std::string(kAllSupportedFiles) + "|" + all + "|" + result;
  if (mode == 1) return result + "|" + kAllSupportedFiles + "|" + all;
  return result;
}

int TExporterRegistry::FilterIndexOfExtension(std::string_view extension, int mode, int defaultIndex) const {
  const int p = PositionOfExtension(extension);
  if (p < 0) return defaultIndex;
  return mode == 0 ? p + 2 : p + 1;
}

TCustomExporter* TExporterRegistry::ExporterOfFilterIndex(int filterIndex, std::string_view fileName,
                                                          int mode) const {
  if (mode != 0) {
    if (filterIndex >= 1 && filterIndex <= Count()) return fExporters[static_cast<std::size_t>(filterIndex - 1)].get();
  } else {
    if (filterIndex >= 2 && filterIndex <= Count() + 1)
      return fExporters[static_cast<std::size_t>(filterIndex - 2)].get();
  }
  return FindByFileName(fileName);
}

TExporterRegistry& ExporterRegistry() { return TExporterRegistry::Instance(); }

TCustomExporter& RegisterExporter(std::unique_ptr<TCustomExporter> exporter, int position) {
  return ExporterRegistry().Register(std::move(exporter), position);
}

namespace {
int gDefaultFilterIndex = 0;
TSaveDialogFactory& SaveDialogFactorySlot() {
  static TSaveDialogFactory factory;
  return factory;
}
TShellOpen& ShellOpenSlot() {
  static TShellOpen open;
  return open;
}
}  // namespace

int DefaultFilterIndex() { return gDefaultFilterIndex; }
void SetDefaultFilterIndex(int index) { gDefaultFilterIndex = index; }

void SetSaveDialogFactory(TSaveDialogFactory factory) { SaveDialogFactorySlot() = std::move(factory); }
const TSaveDialogFactory& SaveDialogFactory() { return SaveDialogFactorySlot(); }
void SetShellOpen(TShellOpen open) { ShellOpenSlot() = std::move(open); }
const TShellOpen& ShellOpen() { return ShellOpenSlot(); }

// ---- file names ----

std::string ExtractFileExt(std::string_view fileName) {
  const std::size_t dot = fileName.find_last_of('.');
  if (dot == std::string_view::npos) return {};
  const std::size_t sep = LastSeparator(fileName);
  if (sep != std::string_view::npos && sep > dot) return {};
  return std::string(fileName.substr(dot));
}

std::string ExtractFileDir(std::string_view fileName) {
  const std::size_t sep = LastSeparator(fileName);
  if (sep == std::string_view::npos) return {};
  return std::string(fileName.substr(0, IsRootAt(fileName, sep) ? sep + 1 : sep));
}

std::string ExtractFileName(std::string_view fileName) {
  const std::size_t sep = LastSeparator(fileName);
  return std::string(sep == std::string_view::npos ? fileName : fileName.substr(sep + 1));
}

std::string NormalizeExtension(std::string_view extension) {
  std::string e = text::AsciiLowerCase(extension);
  if (!e.empty() && e.front() == '.') e.erase(0, 1);
  return e;
}

std::string FileNameFromTitle(std::string_view title) {
  std::string out(title);
  for (char& c : out)
    if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) c = '-';
  return out;
}

std::string FixSaveFileExtension(std::string_view fileName, const TCustomExporter& chosen,
                                 const TExporterRegistry& registry) {
  std::string name(fileName);
  if (chosen.ExtList().empty()) return name;
  const std::string& preferred = chosen.ExtList().front();
  const std::string ext = ExtractFileExt(name);
  const std::string bare = ext.empty() ? std::string() : ext.substr(1);
  if (bare.empty()) {
    // "name." has an empty extension too: do not double the dot
    if (!name.empty() && name.back() == '.') name.pop_back();
    return name + "." + preferred;
  }
  const std::string normalized = text::AsciiLowerCase(bare);
  if (chosen.HasExtension(normalized)) return name;
  if (registry.FindByExtension(normalized) != nullptr) return name.substr(0, name.size() - ext.size()) + "." + preferred;
  return name + "." + preferred;
}

}  // namespace sheet
