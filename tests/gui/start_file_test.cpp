// SPDX-License-Identifier: GPL-3.0-or-later
// Starting with a settings file (a double-click on it), Qt's own texts in the
// program's language, and where an installed program keeps its ini.
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include "app/app_paths.h"
#include "app/application.h"
#include "gui_fixture.h"
#include "model/tmk.h"

namespace tc::test {
namespace {

using Kind = ScriptedMessageService::Kind;

TEST_F(MainFormTest, FileNamedAtStartLoadsAsTheLoadStepDoes) {
  TMainForm& f = Open();
  WriteSampleFile(Path("a.dvkps"), "v8003-32k");
  ASSERT_TRUE(f.LoadSettingsFile(Path("a.dvkps")));
  EXPECT_TRUE(f.StepsEnabled());
  EXPECT_EQ(f.Model().Image().size(), 32768u - 64);
  EXPECT_EQ(messages_.shown().size(), 0u);

  // A file that cannot be loaded says what the load step says, and the
  // settings held stay.
  const auto before = f.Model().Image();
  EXPECT_FALSE(f.LoadSettingsFile(Path("missing.dvkps")));
  ASSERT_EQ(messages_.Count(Kind::Error), 1);
  EXPECT_TRUE(messages_.Last(Kind::Error).contains("missing.dvkps"));
  EXPECT_EQ(f.Model().Image(), before);
  EXPECT_TRUE(f.StepsEnabled());
  files_.Answer(Path("missing.dvkps"));
  QTest::mouseClick(f.bLoadParams, Qt::LeftButton);
  ASSERT_EQ(messages_.Count(Kind::Error), 2);
  EXPECT_EQ(messages_.shown()[0].text, messages_.shown()[1].text);
}

TEST(StartArguments, TheFileBecomesAnAbsolutePath) {
  // Other tests leave the current folder in a removed temporary folder.
  ASSERT_TRUE(QDir::setCurrent(QDir::tempPath()));
  EXPECT_TRUE(SettingsFileArgument({"tripconf"}).isEmpty());
  EXPECT_EQ(SettingsFileArgument({"tripconf", "x.dvkps"}),
            QDir::current().absoluteFilePath("x.dvkps"));
  EXPECT_EQ(SettingsFileArgument({"tripconf", "/tmp/a b.dvkps"}), "/tmp/a b.dvkps");
}

TEST(QtTranslations, QtsOwnTextsFollowTheLanguage) {
  const char* context = "QPlatformTheme";
  UseQtTranslations(false);
  EXPECT_EQ(QCoreApplication::translate(context, "Cancel"), QString::fromUtf8("Отмена"));
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"),
            QString::fromUtf8("&Имя файла:"));
  UseQtTranslations(true);
  EXPECT_EQ(QCoreApplication::translate(context, "Cancel"), "Cancel");
  UseQtTranslations(false);  // twice in a row is harmless
  UseQtTranslations(false);
  EXPECT_EQ(QCoreApplication::translate(context, "Cancel"), QString::fromUtf8("Отмена"));
  UseQtTranslations(true);
}

TEST(AppPaths, InstalledProgramKeepsItsIniInTheUserConfigFolderEvenAsRoot) {
  QTemporaryDir dir;
  const QByteArray old = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());
  const AppPaths p = PathsForProgram("/usr/bin/tripconf");
  if (old.isNull())
    qunsetenv("XDG_CONFIG_HOME");
  else
    qputenv("XDG_CONFIG_HOME", old);
  EXPECT_FALSE(p.iniBesideProgram);
  EXPECT_EQ(p.iniPath, dir.path() + "/config/tripconf/tripconf.ini");
}

}  // namespace
}  // namespace tc::test
