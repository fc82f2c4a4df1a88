// SPDX-License-Identifier: GPL-3.0-or-later
// A few hundred damaged settings files, made from the samples by byte flips,
// truncations, directory damage and odd sizes, loaded into the main window
// one after another. Each one that loads then opens the settings editor with
// every page and sub-page shown, the journal viewer and the oscilloscope
// viewer, offscreen. Nothing may crash; every refusal is a message; a
// refused file leaves the model exactly as it was.
#include <QApplication>
#include <QDialog>
#include <QTabWidget>
#include <QTimer>
#include <random>

#include "gui_fixture.h"
#include "model/sample_image.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/files.h"

namespace tc::test {
namespace {

using Kind = ScriptedMessageService::Kind;
using Bytes = std::vector<uint8_t>;

struct Hostile {
  std::string name;
  Bytes file;  // the whole file as it lies on the disk
};

void PutU16(Bytes& b, size_t at, uint16_t v) {
  if (at + 1 < b.size()) b[at] = uint8_t(v), b[at + 1] = uint8_t(v >> 8);
}

// The damaged files for one sample; the same every run.
std::vector<Hostile> MakeHostileFiles(const char* sample, unsigned seed) {
  const SampleSetup setup = SampleSetupByName(sample);
  const Bytes image = BuildSampleImage(setup);
  std::mt19937 rng(seed);
  auto below = [&](size_t n) { return n ? size_t(rng() % n) : 0; };
  auto file = [&](const Bytes& img) { return EncodeSettingsFile(setup.deviceVersion, img); };
  std::vector<Hostile> out;
  auto add = [&](std::string name, Bytes bytes) {
    out.push_back(
        {std::string(sample) + "/" + name + "-" + std::to_string(out.size()), std::move(bytes)});
  };
  // Block positions, for damage aimed at what the previews and viewers read.
  auto blockAt = [&](int n) {
    const int e = n <= 11 ? n : n + 1;
    return size_t(image[size_t(4 * e)] | image[size_t(4 * e + 1)] << 8) - 32;
  };

  for (int i = 0; i < 24; ++i) {  // bit flips anywhere
    Bytes img = image;
    const int flips = 1 + int(below(i < 12 ? 8 : 200));
    for (int k = 0; k < flips; ++k) img[below(img.size())] ^= uint8_t(1u << below(8));
    add("flips", file(img));
  }
  for (int n : {1, 5, 7, 10, 11, 12, 13}) {  // random bytes over one block
    for (int i = 0; i < 3; ++i) {
      Bytes img = image;
      const size_t at = blockAt(n);
      for (size_t k = 0; k < size_t(kBlockSize[size_t(n)]) && at + k < img.size(); ++k)
        if (below(3) == 0) img[at + k] = uint8_t(rng());
      add("block" + std::to_string(n), file(img));
    }
  }
  for (int i = 0; i < 2; ++i) {  // the oscilloscope records
    Bytes img = image;
    for (int k = 0; k < kOscRecordSize; ++k)
      if (size_t(kOscRecordPos[i] + k) < img.size() && below(2) == 0)
        img[size_t(kOscRecordPos[i] + k)] = uint8_t(rng());
    add("osc", file(img));
  }
  for (int i = 0; i < 10; ++i) {  // truncated files
    const Bytes whole = file(image);
    add("cut", Bytes(whole.begin(), whole.begin() + long(below(whole.size()))));
  }
  for (int i = 0; i < 16; ++i) {  // directory damage
    Bytes img = image;
    const size_t e = 1 + below(14);
    switch (below(4)) {
      case 0:
        PutU16(img, 4 * e, uint16_t(rng()));
        break;
      case 1:
        PutU16(img, 4 * e + 2, uint16_t(below(i < 8 ? 8 : 2000)));
        break;
      case 2:
        img[0] = uint8_t(below(20));
        break;
      default:
        img[60 + below(4)] = uint8_t(rng());
        break;
    }
    add("directory", file(img));
  }
  // Sizes no memory has, and the largest one there is.
  for (size_t size : {size_t(0), size_t(1), size_t(2), size_t(69), size_t(65536), size_t(65537),
                      size_t(1) << 20}) {
    Bytes img = image;
    img.resize(size, 0xFF);
    add("size" + std::to_string(size), file(img));
  }
  std::string text = "[Common]\nEnglishVersion=1\n";
  while (text.size() < 5000) text += "This is a letter, not a settings file.\n";
  add("text", Bytes(text.begin(), text.end()));
  return out;
}

// Runs `walk` on the modal window the next click opens; the window is then
// closed so that nothing hangs.
void WhenModalOpens(bool& opened, const std::function<void(QWidget&)>& walk) {
  QTimer::singleShot(0, [&opened, walk] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) return;
    opened = true;
    walk(*w);
    if (auto* d = qobject_cast<QDialog*>(w))
      d->reject();
    else
      w->close();
  });
}

// Shows every page and sub-page of every tab control in w and paints it.
int ShowEveryPage(QWidget& w) {
  int shown = 0;
  for (QTabWidget* tabs : w.findChildren<QTabWidget*>()) {
    for (int i = 0; i < tabs->count(); ++i) {
      tabs->setCurrentIndex(i);
      QCoreApplication::processEvents();
      (void)tabs->currentWidget()->grab();
      ++shown;
    }
  }
  (void)w.grab();
  return shown;
}

// A sample and which half of its damaged files (the run is split so that
// each part stays short under the sanitizers).
struct Part {
  const char* sample;
  int half;
};

class HostileFiles : public MainFormTest, public ::testing::WithParamInterface<Part> {};

TEST_P(HostileFiles, LoadThemAndOpenEveryWindow) {
  const char* sample = GetParam().sample;
  TMainForm& f = Open();
  LoadSample(sample);
  ASSERT_EQ(messages_.shown().size(), 0u);
  int loaded = 0, refused = 0, pages = 0;
  const auto all = MakeHostileFiles(sample, unsigned(std::string(sample).size()));
  // Alternate files, so both halves get every kind of damage.
  std::vector<Hostile> files;
  for (size_t i = size_t(GetParam().half); i < all.size(); i += 2) files.push_back(all[i]);
  for (const Hostile& h : files) {
    SCOPED_TRACE(h.name);
    const QString path = Path("hostile.dvkps");
    WriteFileAtomic(path.toStdString(), h.file);
    const ModelState before(f.Model());
    const int errors = messages_.Count(Kind::Error);
    files_.Answer(path);
    QTest::mouseClick(f.bLoadParams, Qt::LeftButton);
    if (messages_.Count(Kind::Error) > errors) {
      ++refused;
      ASSERT_TRUE(ModelState(f.Model()) == before) << "a refused file changed the model";
      EXPECT_FALSE(messages_.Last(Kind::Error).isEmpty());
      continue;
    }
    ++loaded;
    ASSERT_GE(h.file.size(), 2u);
    ASSERT_EQ(f.Model().Image().size(), h.file.size() - 2);
    ASSERT_TRUE(f.bEditParams->isEnabled());
    const Bytes image = f.Model().Image();

    // The editor: it opens, or it says why not.
    int shown = messages_.shown().size();
    bool opened = false;
    WhenModalOpens(opened, [&](QWidget& w) { pages += ShowEveryPage(w); });
    QTest::mouseClick(f.bEditParams, Qt::LeftButton);
    EXPECT_TRUE(opened || int(messages_.shown().size()) > shown)
        << "editor: neither open nor a word";
    // Both viewers, the same way.
    for (QPushButton* viewer : {f.bViewJournals, f.bViewOsc}) {
      shown = messages_.shown().size();
      opened = false;
      WhenModalOpens(opened, [&](QWidget& w) { pages += ShowEveryPage(w); });
      QTest::mouseClick(viewer, Qt::LeftButton);
      EXPECT_TRUE(opened || int(messages_.shown().size()) > shown)
          << viewer->objectName().toStdString() << ": neither open nor a word";
    }
    // Everything was cancelled: nothing reached the image.
    EXPECT_EQ(f.Model().Image(), image);
    f.SettingsChanged = false;
  }
  // The damage must leave plenty of files that load, or the sweep sees
  // nothing of the windows.
  EXPECT_GT(loaded, 20) << refused << " refused";
  EXPECT_GT(refused, 4) << loaded << " loaded";
  RecordProperty("loaded", loaded);
  RecordProperty("refused", refused);
  RecordProperty("pages", pages);
  std::printf("%s/%d: %d loaded, %d refused, %d pages shown\n", sample, GetParam().half, loaded,
              refused, pages);
}

void PrintTo(const Part& p, std::ostream* os) {
  *os << p.sample << "/" << p.half;
}

INSTANTIATE_TEST_SUITE_P(Samples, HostileFiles,
                         ::testing::Values(Part{"v104-8k", 0}, Part{"v104-8k", 1},
                                           Part{"v8002-8k", 0}, Part{"v8002-8k", 1},
                                           Part{"v8003-32k", 0}, Part{"v8003-32k", 1},
                                           Part{"ve01-32k", 0}, Part{"ve01-32k", 1}),
                         [](const auto& info) {
                           std::string n = info.param.sample;
                           for (char& c : n)
                             if (c == '-') c = '_';
                           return n + "_" + std::to_string(info.param.half);
                         });

}  // namespace
}  // namespace tc::test
