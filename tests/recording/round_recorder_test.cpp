#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "gif_file.h"
#include "round_recorder.h"

namespace varnok::recording {
namespace {

using testing::ReadGifInfo;

// A small picture told apart from others by `n`.
QImage Picture(int n, QSize size = QSize(24, 16)) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(qRgb(30, 100, 50));
  image.setPixel(n % size.width(), (n / size.width()) % size.height(), qRgb(250, 240, 220));
  image.setPixel(0, 0, qRgb(n % 256, 0, 0));
  return image;
}

RecordingSettings On(int delay_ms = 1000) { return RecordingSettings{true, 1, delay_ms}; }

QStringList FilesIn(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

const QDateTime kMoment(QDate(2024, 3, 7), QTime(21, 5, 9));

TEST(RecordingFileName, IsTheDateAndTimeWithDots) {
  struct Case {
    QDateTime when;
    const char* name;
  };
  for (const Case& c : {Case{kMoment, "2024.03.07-21.05.09.gif"},
                        Case{QDateTime(QDate(2001, 1, 1), QTime(0, 0, 0)), "2001.01.01-00.00.00.gif"},
                        Case{QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)), "1999.12.31-23.59.59.gif"}}) {
    EXPECT_EQ(RecordingFileName(c.when).toStdString(), c.name);
  }
}

TEST(RecordingSettings, CaptureAndDelayAreBroughtIntoRange) {
  struct Case {
    int capture, delay, want_capture, want_delay;
  };
  for (const Case& c : {Case{1, 1000, 1, 1000}, Case{2, 10, 2, 10}, Case{0, 5, 1, 10}, Case{3, 5000, 1, 5000},
                        Case{-7, 90000, 1, 5000}}) {
    const RecordingSettings s = Sanitized(RecordingSettings{true, c.capture, c.delay});
    EXPECT_EQ(s.capture, c.want_capture) << c.capture;
    EXPECT_EQ(s.delay_ms, c.want_delay) << c.delay;
  }
}

TEST(RoundRecorder, DropsAPictureEqualToTheFrameBefore) {
  struct Case {
    std::vector<int> pictures;
    int kept;
  };
  for (const Case& c : {Case{{1, 1, 1}, 1}, Case{{1, 2, 2, 1}, 3}, Case{{1, 2, 3, 4}, 4}, Case{{5, 5, 6, 6, 5, 5}, 3}}) {
    RoundRecorder recorder;
    recorder.SetSettings(On());
    int kept = 0;
    for (int n : c.pictures) kept += recorder.CaptureFrame(Picture(n)) ? 1 : 0;
    EXPECT_EQ(kept, c.kept);
    EXPECT_EQ(recorder.FrameCount(), c.kept);
  }
}

TEST(RoundRecorder, APictureOfTheSamePixelsInAnotherFormatIsEqual) {
  RoundRecorder recorder;
  recorder.SetSettings(On());
  ASSERT_TRUE(recorder.CaptureFrame(Picture(3)));
  EXPECT_FALSE(recorder.CaptureFrame(Picture(3).convertToFormat(QImage::Format_ARGB32_Premultiplied)));
  EXPECT_TRUE(recorder.CaptureFrame(Picture(3, QSize(25, 16)))) << "another size is another picture";
}

TEST(RoundRecorder, TheFrameTimerStopsAt249AndTheRoundsFinalPictureTakesThe250th) {
  RoundRecorder recorder;
  recorder.SetSettings(On(10));
  for (int n = 0; n < 300; ++n) recorder.CaptureFrame(Picture(n));
  EXPECT_EQ(recorder.FrameCount(), kMaxFrames - 1);
  EXPECT_FALSE(recorder.CaptureFrame(Picture(1000)));
  EXPECT_TRUE(recorder.CaptureFrame(Picture(1001), FrameKind::Final));
  EXPECT_EQ(recorder.FrameCount(), kMaxFrames);
  EXPECT_FALSE(recorder.CaptureFrame(Picture(1002), FrameKind::Final));
  EXPECT_EQ(recorder.FrameCount(), kMaxFrames);
}

TEST(RoundRecorder, NothingIsCapturedOrWrittenWhileSwitchedOff) {
  QTemporaryDir program;
  RoundRecorder recorder;
  int grabs = 0;
  recorder.SetFrameSource([&grabs](int) {
    ++grabs;
    return Picture(grabs);
  });
  recorder.StartRecording();
  EXPECT_FALSE(recorder.IsRecording());
  EXPECT_FALSE(recorder.CaptureFrame(Picture(1)));
  EXPECT_FALSE(recorder.CaptureFromSource());
  EXPECT_EQ(grabs, 0);
  const SaveResult result = recorder.SaveRecording(program.path(), kMoment);
  EXPECT_EQ(result.status, SaveStatus::Off);
  EXPECT_TRUE(result.message.isEmpty());
  EXPECT_TRUE(FilesIn(program.path()).isEmpty()) << "no GIFGame folder either";
}

TEST(RoundRecorder, StartingClearsTheRecordingRunsTheTimerAndTakesTheFirstFrame) {
  RoundRecorder recorder;
  recorder.SetSettings(RecordingSettings{true, 2, 400});
  std::vector<int> captures;
  recorder.SetFrameSource([&captures](int capture) {
    captures.push_back(capture);
    return Picture(int(captures.size()));
  });
  ASSERT_TRUE(recorder.CaptureFrame(Picture(77)));
  ASSERT_TRUE(recorder.CaptureFrame(Picture(78)));
  recorder.StartRecording();
  EXPECT_TRUE(recorder.IsRecording());
  EXPECT_EQ(recorder.FrameCount(), 1);
  EXPECT_EQ(captures, std::vector<int>{2});
  EXPECT_EQ(recorder.FrameDelay(0), 400);
  EXPECT_EQ(recorder.LastFrame(), Picture(1));
  recorder.Clear();
  EXPECT_FALSE(recorder.IsRecording());
  EXPECT_EQ(recorder.FrameCount(), 0);
}

TEST(RoundRecorder, SavesTheFramesWithTheirDelaysAndTheLastForFiveSeconds) {
  QTemporaryDir program;
  RoundRecorder recorder;
  recorder.SetSettings(On(250));
  for (int n : {1, 2, 2, 3, 4}) recorder.CaptureFrame(Picture(n));
  recorder.StartRecording();  // without a frame source: starts empty
  for (int n : {1, 2, 2, 3, 4}) recorder.CaptureFrame(Picture(n));
  ASSERT_EQ(recorder.FrameCount(), 4);

  const SaveResult result = recorder.SaveRecording(program.path(), kMoment);
  ASSERT_TRUE(result.ok()) << result.message.toStdString();
  EXPECT_TRUE(result.message.isEmpty());
  EXPECT_EQ(result.path, program.filePath("GIFGame/2024.03.07-21.05.09.gif"));
  EXPECT_EQ(FilesIn(program.filePath("GIFGame")), QStringList{"2024.03.07-21.05.09.gif"}) << "no temporary file left";

  const auto info = ReadGifInfo(result.path);
  ASSERT_TRUE(info.ok);
  EXPECT_EQ(info.screen, QSize(24, 16));
  EXPECT_EQ(info.frames, 4);
  EXPECT_EQ(info.delays_cs, (std::vector<int>{25, 25, 25, 500}));
  // Saving ends the recording.
  EXPECT_EQ(recorder.FrameCount(), 0);
  EXPECT_FALSE(recorder.IsRecording());
}

TEST(RoundRecorder, ASingleFrameIsShownForFiveSeconds) {
  QTemporaryDir program;
  RoundRecorder recorder;
  recorder.SetSettings(On(40));
  ASSERT_TRUE(recorder.CaptureFrame(Picture(9), FrameKind::Final));
  const SaveResult result = recorder.SaveRecording(program.path(), kMoment);
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(ReadGifInfo(result.path).delays_cs, std::vector<int>{500});
}

TEST(RoundRecorder, TwoRoundsSavedInOneSecondKeepBothFiles) {
  QTemporaryDir program;
  RoundRecorder recorder;
  recorder.SetSettings(On());
  QStringList paths;
  for (int round = 0; round < 3; ++round) {
    for (int n = 0; n <= round; ++n) recorder.CaptureFrame(Picture(n + 10 * round));
    const SaveResult result = recorder.SaveRecording(program.path(), kMoment);
    ASSERT_TRUE(result.ok());
    paths << QFileInfo(result.path).fileName();
  }
  EXPECT_EQ(paths, (QStringList{"2024.03.07-21.05.09.gif", "2024.03.07-21.05.09-2.gif", "2024.03.07-21.05.09-3.gif"}));
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(ReadGifInfo(program.filePath("GIFGame/" + paths[round])).frames, round + 1);
  }
}

TEST(RoundRecorder, AnEmptyRecordingWritesNothing) {
  QTemporaryDir program;
  RoundRecorder recorder;
  recorder.SetSettings(On());
  const SaveResult result = recorder.SaveRecording(program.path(), kMoment);
  EXPECT_EQ(result.status, SaveStatus::Empty);
  EXPECT_TRUE(result.message.isEmpty());
  EXPECT_TRUE(FilesIn(program.path()).isEmpty());
}

TEST(RoundRecorder, AFailedSaveSaysSoLeavesNothingBehindAndEndsTheRecording) {
  struct Case {
    const char* what;
    std::function<QString(const QTemporaryDir&)> prepare;  // gives the program folder
    SaveStatus status;
  };
  const auto file_at = [](const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
  };
  const std::vector<Case> cases{
      {"the program folder is a file",
       [&](const QTemporaryDir& dir) {
         EXPECT_TRUE(file_at(dir.filePath("program")));
         return dir.filePath("program");
       },
       SaveStatus::FolderFailed},
      {"GIFGame is a file",
       [&](const QTemporaryDir& dir) {
         EXPECT_TRUE(file_at(dir.filePath("GIFGame")));
         return dir.path();
       },
       SaveStatus::FolderFailed},
      {"GIFGame is a folder where no file can be made",
       [](const QTemporaryDir& dir) {
         EXPECT_TRUE(QFile::link(QStringLiteral("/proc"), dir.filePath("GIFGame")));
         return dir.path();
       },
       SaveStatus::WriteFailed},
  };
  for (const Case& c : cases) {
    QTemporaryDir dir;
    const QString program = c.prepare(dir);
    const QStringList before = FilesIn(dir.path());
    RoundRecorder recorder;
    recorder.SetSettings(On());
    recorder.StartRecording();
    recorder.CaptureFrame(Picture(1));
    recorder.CaptureFrame(Picture(2));
    const SaveResult result = recorder.SaveRecording(program, kMoment);
    EXPECT_FALSE(result.ok()) << c.what;
    EXPECT_EQ(result.status, c.status) << c.what;
    EXPECT_FALSE(result.message.isEmpty()) << c.what;
    EXPECT_TRUE(result.message.contains(QDir::toNativeSeparators(result.path))) << result.message.toStdString();
    EXPECT_EQ(FilesIn(dir.path()), before) << c.what;
    EXPECT_FALSE(QFileInfo::exists(program + "/GIFGame/2024.03.07-21.05.09.gif")) << c.what;
    EXPECT_EQ(recorder.FrameCount(), 0) << c.what;
    EXPECT_FALSE(recorder.IsRecording()) << c.what;
  }
}

TEST(RoundRecorder, AWriteThatRunsOutOfRoomGivesTheSystemsReason) {
  QTemporaryDir program;
  ASSERT_TRUE(program.isValid());
  ASSERT_TRUE(QDir(program.path()).mkpath(QStringLiteral("GIFGame")));
  RoundRecorder recorder;
  recorder.SetSettings(On());
  recorder.StartRecording();
  for (int n = 1; n <= 3; ++n) recorder.CaptureFrame(Picture(n));
  // Files may grow to 40 bytes only: the write runs out of room as on a full disk.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 40;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const SaveResult result = recorder.SaveRecording(program.path(), kMoment);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(result.status, SaveStatus::WriteFailed);
  EXPECT_TRUE(result.message.contains(QString::fromLocal8Bit(std::strerror(EFBIG)))) << result.message.toStdString();
  EXPECT_FALSE(result.message.contains(QStringLiteral("Unknown error"))) << result.message.toStdString();
  EXPECT_TRUE(FilesIn(program.filePath(QStringLiteral("GIFGame"))).isEmpty()) << "nothing is left behind";
}

}  // namespace
}  // namespace varnok::recording
