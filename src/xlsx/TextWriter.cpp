#include "xlsx/TextWriter.h"

namespace xlsx {

TTextWriter::TTextWriter(std::size_t capacity) : fCapacity(capacity ? capacity : 1) { fBuffer.reserve(fCapacity); }

TTextWriter::~TTextWriter() {
  try {
    ReleaseDocument();
  } catch (...) {
    // Destruction after a failed write: the error was already reported.
  }
}

void TTextWriter::InitStream(TWriteStream& stream, bool writeBOM) {
  ReleaseDocument();
  fStream = &stream;
  fBuffer.clear();
  fWriteBOM = writeBOM;
  fBOMWritten = false;
}

void TTextWriter::Emit(const char* data, std::size_t count) {
  if (!fStream) throw EStreamError("The text writer has no stream");
  if (fWriteBOM && !fBOMWritten) {
    fBOMWritten = true;
    fStream->Write("\xEF\xBB\xBF", 3);
  }
  if (count) fStream->Write(data, count);
}

void TTextWriter::EnsureTempStringWritten() {
  if (fBuffer.empty()) return;
  Emit(fBuffer.data(), fBuffer.size());
  fBuffer.clear();
}

void TTextWriter::WriteString(std::string_view text) {
  if (fBuffer.size() + text.size() > fCapacity) {
    EnsureTempStringWritten();
    if (text.size() > fCapacity) {
      Emit(text.data(), text.size());
      return;
    }
  }
  fBuffer.append(text);
}

void TTextWriter::WriteChar(char c) {
  if (fBuffer.size() >= fCapacity) EnsureTempStringWritten();
  fBuffer.push_back(c);
}

void TTextWriter::ReleaseDocument() {
  if (!fStream) return;
  EnsureTempStringWritten();
  fStream = nullptr;
}

}  // namespace xlsx
