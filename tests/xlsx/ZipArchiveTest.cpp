#include "xlsx/DeflatedChunks.h"
#include "xlsx/ZipArchive.h"

#include <gtest/gtest.h>

#include "xlsx/TestSupport.h"

using namespace xlsx;
using namespace xlsxtest;

namespace {

std::tm FixedTime() {
  std::tm t{};
  t.tm_year = 2024 - 1900;
  t.tm_mon = 2;  // March
  t.tm_mday = 15;
  t.tm_hour = 13;
  t.tm_min = 45;
  t.tm_sec = 31;
  return t;
}

// Lists "name method crc size compressed" per entry and checks every CRC.
TRunResult PythonList(const std::string& bytes) {
  static int serial = 0;  // a name of its own: a deferred check reads the file later
  const auto path = TempDir() / ("check-" + std::to_string(++serial) + ".zip");
  WriteFile(path, bytes);
  const auto r = RunCommand(std::string(kPython) +
                     " -c \"import zipfile,sys\nz=zipfile.ZipFile(sys.argv[1])\nassert z.testzip() is None\n"
                     "for i in z.infolist(): print(i.filename, i.compress_type, i.CRC, i.file_size, i.date_time)\" " +
                     Quote(path.string()));
  EXPECT_EQ(r.fExitCode, 0) << r.fOutput;
  return r;
}

}  // namespace

TEST(ZipArchive, EmptyArchiveWritesNothing) {
  TMemoryStream out;
  TZipArchive zip;
  zip.OpenStream(out, TZipMode::zmWrite);
  zip.Close();
  EXPECT_EQ(out.Size(), 0u);
  EXPECT_EQ(zip.Status(), TZipStatus::zsClosed);
}

TEST(ZipArchive, HeadersOfStoredAndDeflatedEntries) {
  TMemoryStream out;
  {
    TZipArchive zip;
    zip.SetClock(FixedTime);
    zip.OpenStream(out, TZipMode::zmWrite);
    zip.AddFromBuffer("xl\\worksheets\\sheet1.xml", std::string(5000, 'a'), TZipCompression::zcDeflate);
    zip.AddFromBuffer("empty.txt", "", TZipCompression::zcDeflate);
    zip.AddFromBuffer("stored.bin", "hello", TZipCompression::zcStored);
    zip.AddFromBuffer("Židle.jpg", "x", TZipCompression::zcStored);
    ASSERT_EQ(zip.FileCount(), 4u);
    EXPECT_EQ(zip.FileInfo(0).fFileName, "xl/worksheets/sheet1.xml");
    EXPECT_EQ(zip.FileInfo(0).fFlag, 0);
    EXPECT_EQ(zip.FileInfo(0).fRequiredVersion, 10);
    EXPECT_EQ(zip.FileInfo(0).fMadeByVersion, 10);
    EXPECT_EQ(zip.FileInfo(1).fCRC32, 0u);
    EXPECT_EQ(zip.FileInfo(1).fUncompressedSize, 0u);
    EXPECT_EQ(zip.FileInfo(1).fCompressedSize, 2u);  // an empty raw deflate stream
    EXPECT_EQ(zip.FileInfo(2).fCompressedSize, 5u);
    EXPECT_EQ(zip.FileInfo(3).fFlag, 0x0800);
    // 2024-03-15 13:45:31 -> time 13*2048 + 45*32 + 15, date 15 + 3*32 + 44*512
    EXPECT_EQ(zip.FileInfo(0).fModifiedDateTime, ((15u + 3 * 32 + 44 * 512) << 16) | (13u * 2048 + 45 * 32 + 15));
  }
  const std::string& z = out.Data();
  // The first local header holds the final CRC and sizes; no data descriptor.
  EXPECT_EQ(LE32(z, 0), 0x04034b50u);
  EXPECT_EQ(LE16(z, 6), 0);  // flags
  EXPECT_EQ(LE16(z, 8), 8);  // deflate
  EXPECT_EQ(LE32(z, 22), 5000u);
  const TRunResult listing = PythonList(z);
  ExpectOutputHas(listing, "xl/worksheets/sheet1.xml 8 ");
  ExpectOutputHas(listing, "stored.bin 0 907060870 5");
  ExpectOutputHas(listing, "Židle.jpg 0");
  ExpectOutputHas(listing, "(2024, 3, 15, 13, 45, 30)");
}

TEST(ZipArchive, DosTimeOutsideRangeIsZero) {
  std::tm t = FixedTime();
  t.tm_year = 1979 - 1900;
  EXPECT_EQ(DateTimeToDos(t), 0u);
  t.tm_year = 2108 - 1900;
  EXPECT_EQ(DateTimeToDos(t), 0u);
}

TEST(ZipArchive, DuplicateModes) {
  TMemoryStream out;
  TZipArchive zip;
  zip.OpenStream(out, TZipMode::zmWrite);
  zip.AddFromBuffer("a.txt", std::string(3000, 'x'));
  zip.AddFromBuffer("b.txt", "bbb");
  zip.AddFromBuffer("A.TXT", "second");  // replaces a.txt, b.txt moves down
  ASSERT_EQ(zip.FileCount(), 2u);
  EXPECT_EQ(zip.FileInfo(0).fFileName, "b.txt");
  EXPECT_EQ(zip.FileInfo(0).fLocalHeaderOffset, 0u);
  zip.SetAddDuplicates(TZipAddDuplicates::adDontAdd);
  zip.AddFromBuffer("b.txt", "ignored");
  EXPECT_EQ(zip.FileCount(), 2u);
  zip.SetAddDuplicates(TZipAddDuplicates::adException);
  EXPECT_THROW(
      {
        try {
          zip.AddFromBuffer("b.txt", "x");
        } catch (const EZipException& e) {
          EXPECT_STREQ(e.what(), "The file b.txt already exists in the archive.");
          throw;
        }
      },
      EZipException);
  zip.Close();
  const TRunResult listing = PythonList(out.Data());
  ExpectOutputHas(listing, "A.TXT 8 ");
  ExpectOutputLacks(listing, "a.txt");
}

TEST(ZipArchive, StateErrors) {
  TZipArchive zip;
  EXPECT_THROW(zip.AddFromBuffer("a", "x"), EZipException);
  TMemoryStream out;
  zip.OpenStream(out, TZipMode::zmWrite);
  try {
    zip.AddFromBuffer("", "x");
    FAIL();
  } catch (const EZipException& e) {
    EXPECT_STREQ(e.what(), "File name must not be empty");
  }
  try {
    zip.AddFromExternalStreamFinish();
    FAIL();
  } catch (const EZipException& e) {
    EXPECT_STREQ(e.what(), "Wrong state: you are not writing a file.");
  }
  TZipEntryStream* entry = zip.AddFromExternalStreamPrepare("drawing.xml");
  ASSERT_NE(entry, nullptr);
  entry->Write("<a/>");
  try {
    zip.AddFromBuffer("other", "x");
    FAIL();
  } catch (const EZipException& e) {
    EXPECT_STREQ(e.what(), "Wrong state: the archive ist blocked for writing.");
  }
  zip.AddFromExternalStreamFinish();
  zip.Close();
  ExpectOutputHas(PythonList(out.Data()), "drawing.xml 8");
}

TEST(ZipArchive, OversizedEntryIsRejectedAndArchiveStaysValid) {
  TMemoryStream out;
  TZipArchive zip;
  zip.SetEntrySizeLimit(1000);
  zip.OpenStream(out, TZipMode::zmWrite);
  zip.AddFromBuffer("small.txt", std::string(1000, 's'));
  try {
    zip.AddFromBuffer("big.txt", std::string(1001, 'b'));
    FAIL();
  } catch (const EZipException& e) {
    EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
  }
  // The failed entry is finished with what was written and listed.
  EXPECT_EQ(zip.FileCount(), 2u);
  zip.Close();
  PythonList(out.Data());
}

TEST(ZipArchive, DeflatedPiecesSpliceBetweenOwnData) {
  std::string expected;
  TMemoryStream out;
  {
    TZipArchive zip;
    zip.OpenStream(out, TZipMode::zmWrite);
    TZipEntryStream* entry = zip.AddFromExternalStreamPrepare("sheet.xml");
    entry->Write("<worksheet><sheetData>");
    expected += "<worksheet><sheetData>";
    TDeflatedChunks chunks(true);
    for (int i = 0; i < 5000; ++i) {
      const std::string row = "<row r=\"" + std::to_string(i + 1) + "\"><c><v>" + std::to_string(i * 7) + "</v></c></row>";
      chunks.Buffer() += row;
      expected += row;
      if (i % 700 == 0) chunks.CloseChunk();
    }
    chunks.Finish();
    EXPECT_GT(chunks.ChunkCount(), 5u);
    chunks.WriteTo(*entry);
    entry->Write("</sheetData></worksheet>");
    expected += "</sheetData></worksheet>";
    zip.AddFromExternalStreamFinish();
  }
  const auto path = TempDir() / "splice.zip";
  WriteFile(path, out.Data());
  const auto r = RunCommand(std::string(kPython) + " -c \"import zipfile,sys\nz=zipfile.ZipFile(sys.argv[1])\nassert z.testzip() is None\n"
                     "sys.stdout.write(z.read('sheet.xml').decode())\" " + Quote(path.string()));
  ASSERT_EQ(r.fExitCode, 0) << r.fOutput.substr(0, 2000);
  ExpectOutputIs(r, expected);
}

TEST(ZipArchive, ManyEntriesUseZip64EndRecords) {
  TMemoryStream out;
  {
    TZipArchive zip;
    zip.OpenStream(out, TZipMode::zmWrite);
    for (int i = 0; i < 0x10001; ++i) zip.AddFromBuffer("f" + std::to_string(i), "", TZipCompression::zcStored);
  }
  const auto path = TempDir() / "many.zip";
  WriteFile(path, out.Data());
  const auto r = RunCommand(std::string(kPython) + " -c \"import zipfile,sys\nprint(len(zipfile.ZipFile(sys.argv[1]).infolist()))\" " +
                     Quote(path.string()));
  ExpectOutputIs(r, "65537\n");
}

TEST(ZipArchive, OpenFileWritesAndOnlyWriteModeIsSupported) {
  const auto path = TempDir() / "file.zip";
  {
    TZipArchive zip;
    EXPECT_THROW(zip.OpenFile(path.string(), TZipMode::zmRead), EZipException);
    zip.OpenFile(path.string(), TZipMode::zmWrite);
    zip.AddFromBuffer("a.txt", "abc");
    const auto source = TempDir() / "source.txt";
    WriteFile(source, "from a file");
    zip.AddFromFile(source.string());
  }
  ExpectOutputHas(PythonList(ReadFile(path)), "source.txt 8 ");
}

TEST(ZipArchive, EntryMadeOnlyOfDeflatedPieces) {
  TMemoryStream out;
  {
    TZipArchive zip;
    zip.OpenStream(out, TZipMode::zmWrite);
    TZipEntryStream* entry = zip.AddFromExternalStreamPrepare("pieces.xml");
    TDeflatedChunks chunks(false);
    chunks.Buffer() = "<a>";
    chunks.CloseChunk();
    chunks.Buffer() = "</a>";
    chunks.Finish();
    chunks.WriteTo(*entry);
    zip.AddFromExternalStreamFinish();
  }
  const auto path = TempDir() / "pieces.zip";
  WriteFile(path, out.Data());
  const auto r = RunCommand(std::string(kPython) + " -c \"import zipfile,sys\nsys.stdout.write(zipfile.ZipFile(sys.argv[1]).read('pieces.xml').decode())\" " +
                            Quote(path.string()));
  ExpectOutputIs(r, "<a></a>");
}
