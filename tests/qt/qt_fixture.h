// A whole program (host, windows, recording dialogs) for a test, and image files in a temporary
// folder.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "app/qt_host.h"
#include "platform/recording.h"
#include "tests/support/image_builder.h"

namespace m1::qt::testing {

using m1::testing::Bytes;

class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() {
    auto dialogs = std::make_unique<RecordingDialogs>();
    dialogs_ = dialogs.get();
    host_ = std::make_unique<QtHost>(std::move(dialogs));
  }

  // Writes a file into the test's folder and gives its path.
  std::string WriteFile(const char* name, const Bytes& bytes) {
    const std::string path = QDir(dir_.path()).filePath(QString::fromLatin1(name)).toStdString();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  // Lets the window system deliver what is pending (activations, repaints).
  static void Settle() {
    for (int i = 0; i < 5; ++i) {
      QCoreApplication::processEvents();
      QTest::qWait(5);
    }
  }

  // Clicks a window button of the main window and waits until the window it shows is active.
  template <class Window>
  Window& ShowThrough(MainWindow& main, const char* button, Window* (QtHost::*window)()) {
    Click(main, button);
    Window* shown = ((*host_).*window)();
    EXPECT_NE(shown, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowActive(shown));
    Settle();
    return *shown;
  }

  // Starts the program with its main window active.
  MainWindow& StartMain() {
    host_->ShowForm(FormId::Main);
    MainWindow& w = *host_->MainWin();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    Settle();
    return w;
  }

  // Opens a file through the window's real File menu, answering the Open dialog with path.
  static void OpenThroughMenu(FormWindow& w, RecordingDialogs& dialogs, const std::string& path) {
    dialogs.answers.push_back(path);
    w.findChild<QAction*>(QStringLiteral("mnuFileItem1"))->trigger();
    Settle();
  }

  // Starts the program and opens the file at path through the main window's File menu.
  MainWindow& StartWith(const std::string& path) {
    MainWindow& w = StartMain();
    OpenThroughMenu(w, *dialogs_, path);
    return w;
  }

  // Chooses a menu item of w and gives the window of type W it shows, which must be visible.
  template <class W>
  static W* Chosen(MainWindow& w, const char* action) {
    w.findChild<QAction*>(QString::fromLatin1(action))->trigger();
    Settle();
    W* shown = w.findChild<W*>();
    EXPECT_NE(shown, nullptr) << action;
    if (shown) {
      EXPECT_TRUE(shown->isVisible()) << action;
    }
    return shown;
  }

  // Waits until w is the active window, then lets it draw; false when it never became active.
  static bool Activated(QWidget& w) {
    const bool active = QTest::qWaitForWindowActive(&w);
    Settle();
    return active;
  }

  template <typename T = QWidget>
  static T* Child(QWidget& w, const char* name) {
    T* child = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  static QString BoxText(QWidget& w, const char* name) { return Child<QLineEdit>(w, name)->text(); }
  static Rgb BoxBackground(QWidget& w, const char* name) {
    return ToRgb(Child<QLineEdit>(w, name)->palette().color(QPalette::Base));
  }
  static Rgb BoxTextColour(QWidget& w, const char* name) {
    return ToRgb(Child<QLineEdit>(w, name)->palette().color(QPalette::Text));
  }
  // Expects each named box of w to hold its text.
  static void ExpectBoxTexts(QWidget& w,
                             std::initializer_list<std::pair<const char*, const char*>> boxes) {
    for (const auto& [name, text] : boxes) EXPECT_EQ(BoxText(w, name), text) << name;
  }
  static void Click(QWidget& w, const char* name) {
    QTest::mouseClick(Child<QPushButton>(w, name), Qt::LeftButton);
    Settle();
  }

  // The texts printed on a surface, in drawing order.
  static std::vector<std::string> Printed(const Surface& s) {
    std::vector<std::string> out;
    for (const DrawOp& op : s.Items()) {
      if (op.kind == DrawOp::Kind::Text) out.push_back(op.text);
    }
    return out;
  }
  static bool HasPrinted(const Surface& s, const std::string& text) {
    const auto items = Printed(s);
    return std::find(items.begin(), items.end(), text) != items.end();
  }

  QTemporaryDir dir_;
  RecordingDialogs* dialogs_ = nullptr;
  std::unique_ptr<QtHost> host_;
};

// Three single-sided double-density tracks of sectors 0, 1 and 2 (indexes 0..8); one data byte of
// track 1 sector 1 changed after its CRC was written.
inline Bytes DamagedDmk() {
  m1::testing::DmkBuilder dmk(3, 6400, 0x10);
  for (int t = 0; t < 3; ++t) {
    using m1::testing::DmkSector;
    dmk.AddTrack({DmkSector::Dd(t, 0, 0), DmkSector::Dd(t, 0, 1), DmkSector::Dd(t, 0, 2)});
  }
  Bytes file = dmk.Build();
  file[dmk.Place(1, 1).data + 7] ^= 0xFF;
  return file;
}

// A JV1 image of 35 tracks whose sector 0 begins 00 FE 11 and whose directory on track 17 holds
// one used entry ("HELLO/BAS", attribute 0x10) in its third sector.
inline Bytes SampleJv1() {
  m1::testing::Jv1Builder jv1(35, 0x00);
  jv1.Put(0, 0, 3, {'B', 'O', 'O', 'T'});
  jv1.Put(17, 2, 0,
          {0x10, 0x00, 0x00, 0x00, 0x00, 'H', 'E', 'L', 'L', 'O', ' ', ' ', ' ', 'B', 'A', 'S'});
  jv1.Put(17, 2, 16,
          {0, 0, 0, 0, 0x2A, 0x01, 0x22, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
  return jv1.Build();
}

}  // namespace m1::qt::testing
