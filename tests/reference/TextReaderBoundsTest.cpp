// The reader refuses inputs without a bound before it reads them (devices,
// pipes, folders) and stops at a line longer than any input holds, naming
// the file and the line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "reference/TextReader.h"
#include "support/TempDir.h"

namespace tandrel {
namespace {

using test::TempDir;

std::string refusal_of(const std::function<void()>& read) {
  try {
    read();
  } catch (const EInputRefused& e) {
    return e.what();
  }
  return "";
}

void read_all(TextReader& reader) {
  std::string line;
  while (!reader.eof()) reader.read_line(line);
}

TEST(TextReaderBounds, WhatIsNoRegularFileIsRefusedBeforeItIsOpened) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0644), 0);
  const struct {
    std::string path;
    const char* words;
  } cases[] = {
      {"/dev/zero", "/dev/zero is a device, not a regular file"},
      {"/dev/urandom", "/dev/urandom is a device"},
      {dir.file("pipe"), "pipe is a pipe"},  // an open would wait for a writer
      {dir.path(), "is a folder"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const std::string refusal = refusal_of([&] { TextReader::open_file(c.path); });
    EXPECT_NE(refusal.find(c.words), std::string::npos) << refusal;
    EXPECT_EQ(TextReader::file_size(c.path), -1);
  }
  EXPECT_THROW(TextReader::open_file(dir.file("none")), EInOutError);
}

TEST(TextReaderBounds, ALineLongerThanTheBoundStopsTheReadAtItsNumber) {
  TempDir dir;
  const std::string head = "first\r\nsecond\nthird\n";
  const struct {
    std::string name;
    std::string text;
    std::string refusal;  // empty: read to the end
  } cases[] = {
      {"nuls", head + std::string(3 << 20, '\0'), "nuls, line 4: a line longer than 1048576"},
      {"at-bound", head + std::string(kMaxLineBytes, 'x') + "\nlast\n", ""},
      {"over-bound", head + std::string(kMaxLineBytes + 1, 'x') + "\n", "over-bound, line 4"},
      {"many-short", std::string(4 << 20, '\n'), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.write(c.name, c.text);
    const std::string refusal = refusal_of([&] {
      TextReader reader = TextReader::open_file(path);
      read_all(reader);
    });
    if (c.refusal.empty()) {
      EXPECT_EQ(refusal, "");
    } else {
      EXPECT_NE(refusal.find(c.refusal), std::string::npos) << refusal;
    }
  }
}

// Line ends that fall on either side of a buffer refill: a line is read
// whole, a "\r\n" split between two buffers is one line end, and the count
// of lines still names the right line afterwards.
TEST(TextReaderBounds, LinesAcrossBufferRefillsReadWholeAndCountRight) {
  TempDir dir;
  const std::size_t buffer = std::size_t{1} << 20;
  for (const std::size_t first : {buffer - 2, buffer - 1, buffer - 3, buffer - 10}) {
    const std::string long_line(first, 'a');
    const std::string path =
        dir.write("lines", long_line + "\r\nb\nc\n" + std::string((1 << 20) + 1, 'z') + "\n");
    TextReader reader = TextReader::open_file(path);
    std::string line;
    std::string message;
    try {
      reader.read_line(line);
      EXPECT_EQ(line.size(), first);
      reader.read_line(line);
      EXPECT_EQ(line, "b");
      reader.read_line(line);
      EXPECT_EQ(line, "c");
      read_all(reader);
    } catch (const EInputRefused& e) {
      message = e.what();
    }
    EXPECT_NE(message.find("line 4: a line longer than"), std::string::npos) << first << message;
  }
}

TEST(TextReaderBounds, AReaderStartedInsideTheFileNamesTheByteOfTheLine) {
  TempDir dir;
  const std::string path = dir.write("tail", "a\nb\n" + std::string(3 << 20, '\0'));
  const std::string refusal = refusal_of([&] {
    TextReader reader = TextReader::open_file(path, 2);
    read_all(reader);
  });
  EXPECT_NE(refusal.find("tail, the line at byte 4: a line longer"), std::string::npos) << refusal;
}

}  // namespace
}  // namespace tandrel
