#include "project/project_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app_test_util.h"
#include "platform/fs/fs.h"

namespace corvane {
namespace {

using testing::AppFixture;
using testing::Do;
using testing::Exists;
using testing::ReadBytes;
using testing::WriteBytes;

constexpr TextView kPattern = U"Project (*.pbm)|*.pbm";

// The commands run inside the started program (main window, status bar, settings loaded).
class ProjectCommandsTest : public ::testing::Test {
 protected:
  void Inside(std::function<void()> body) { f.Run({Do(std::move(body))}); }

  Text Path(const std::string& name) { return FromUtf8(f.dir / name); }
  // A named project with one common file, as after loading it.
  void MakeNamedProject(const Text& path) {
    f.tk.AppendListItem(kGadgetCommonFiles, U"/src/Form.pb");
    f.state.ProjectFile = path;
    f.state.ProjectHasFile = 1;
    f.state.ProjectSaved = 1;
  }
  const RequesterRecord& LastRequester() { return f.tk.Requesters().back(); }

  AppFixture f;
};

TEST_F(ProjectCommandsTest, NewOnModifiedUnnamedProjectWithCancelledSaveAsKeepsEverything) {
  Inside([&] {
    f.tk.AppendListItem(kGadgetCommonFiles, U"/src/Form.pb");
    f.model.ListOldWindowID = {U"Window_0"};
    f.state.ProjectSaved = 0;
    f.tk.QueueMessageAnswer(MessageResult::kYes);  // save? yes; the save-as requester is cancelled
    ProjectNew(f.app);
    EXPECT_EQ(f.Items(kGadgetCommonFiles), std::vector<Text>{U"/src/Form.pb"});
    EXPECT_EQ(f.model.ListOldWindowID, std::vector<Text>{U"Window_0"});
    EXPECT_EQ(f.state.ProjectFile, U"project.pbm");
    EXPECT_EQ(f.state.ProjectSaved, 0);
  });
  ASSERT_EQ(f.tk.Messages().size(), 1u);
  EXPECT_EQ(f.tk.Messages()[0].title, U"Frage");
  EXPECT_EQ(f.tk.Messages()[0].text, U"Aktuelles Projekt speichern?");
  EXPECT_EQ(f.tk.Messages()[0].buttons, MessageButtons::kYesNo);
  EXPECT_EQ(LastRequester().kind, RequesterKind::kSaveFile);
}

TEST_F(ProjectCommandsTest, NewAfterNoClearsTheProject) {
  Inside([&] {
    f.tk.AppendListItem(kGadgetCommonFiles, U"/src/Form.pb");
    f.tk.AppendListItem(kGadgetLog, U"Ready.");
    f.model.LinesProject = {U"[FILES]"};
    f.model.ListOldGadgetID = {U"Window_0_Button"};
    f.model.ListReplace = {{U"a", U"b", 6}};
    f.state.switches.SwitchMultilang = 1;
    f.state.ProjectSaved = 0;
    f.tk.QueueMessageAnswer(MessageResult::kNo);
    ProjectNew(f.app);
    EXPECT_TRUE(f.Items(kGadgetCommonFiles).empty());
    EXPECT_TRUE(f.Items(kGadgetLog).empty());
    EXPECT_TRUE(f.model.LinesProject.empty());
    EXPECT_TRUE(f.model.ListOldGadgetID.empty());
    EXPECT_TRUE(f.model.ListReplace.empty());
    EXPECT_EQ(f.state.ProjectFile, U"Unbekannt.pbm");
    EXPECT_EQ(f.Status(), U"Unbekannt.pbm");
    EXPECT_EQ(f.state.ProjectHasFile, 0);
    EXPECT_EQ(f.state.ProjectSaved, 1);
    EXPECT_EQ(f.state.switches.SwitchMultilang, 1);  // the switches keep their values
  });
}

TEST_F(ProjectCommandsTest, SavePromptYesWritesANamedProjectToItsFile) {
  const Text path = Path("named.pbm");
  Inside([&] {
    MakeNamedProject(path);
    f.state.ProjectSaved = 0;
    f.tk.QueueMessageAnswer(MessageResult::kYes);
    EXPECT_EQ(QuerySaveProject(f.app), 1);
    EXPECT_EQ(f.state.ProjectSaved, 1);
  });
  EXPECT_NE(ReadBytes(ToUtf8(path)).find("/src/Form.pb\n"), std::string::npos);
  EXPECT_TRUE(f.tk.Requesters().empty());
}

TEST_F(ProjectCommandsTest, LoadReadsTheChosenProject) {
  const std::string project = f.dir / "sub/app.pbm";
  std::filesystem::create_directory(f.dir / "sub");
  WriteBytes(project, "[FILES]\n/src/A.pb\n/src/B.pb\n\n[SWITCH]\nUtf8=0\n\n[WINDOW]\nWindow_0\n");
  Inside([&] {
    f.tk.AppendListItem(kGadgetLog, U"old line");
    f.state.LastPath = FromUtf8(f.dir.path());
    f.tk.QueueOpenAnswer({FromUtf8(project)});
    ProjectLoad(f.app);
    EXPECT_EQ(f.Items(kGadgetCommonFiles), (std::vector<Text>{U"/src/A.pb", U"/src/B.pb"}));
    EXPECT_TRUE(f.Items(kGadgetLog).empty());
    EXPECT_EQ(f.model.ListOldWindowID, std::vector<Text>{U"Window_0"});
    EXPECT_EQ(f.state.switches.SwitchUtf8, 0);
    EXPECT_EQ(f.state.ProjectFile, FromUtf8(project));
    EXPECT_EQ(f.Status(), FromUtf8(project));
    EXPECT_EQ(f.state.LastPath, FromUtf8(f.dir / "sub/"));
    EXPECT_EQ(f.state.ProjectHasFile, 1);
  });
  const RequesterRecord& requester = LastRequester();
  EXPECT_EQ(requester.kind, RequesterKind::kOpenFile);
  EXPECT_EQ(requester.title, U"Load project");
  EXPECT_EQ(requester.pattern, kPattern);
  EXPECT_EQ(requester.default_text, FromUtf8(f.dir.path()));
  EXPECT_FALSE(requester.multiple);
}

TEST_F(ProjectCommandsTest, LoadCancelledOrUnreadable) {
  Inside([&] {
    MakeNamedProject(U"/old/project.pbm");
    ProjectLoad(f.app);  // no answer queued: cancelled
    EXPECT_EQ(f.Items(kGadgetCommonFiles), std::vector<Text>{U"/src/Form.pb"});

    f.tk.QueueOpenAnswer({Path("missing.pbm")});
    ProjectLoad(f.app);
    // The project is empty and unnamed; the file name and the status bar stay.
    EXPECT_TRUE(f.Items(kGadgetCommonFiles).empty());
    EXPECT_EQ(f.state.ProjectHasFile, 0);
    EXPECT_EQ(f.state.ProjectFile, U"/old/project.pbm");
    EXPECT_EQ(f.Status(), U"project.pbm");
    EXPECT_TRUE(f.state.LastPath.empty());
  });
  ASSERT_EQ(f.tk.Messages().size(), 1u);
  EXPECT_EQ(f.tk.Messages()[0].title, U"UserGadgetList");
  EXPECT_EQ(f.tk.Messages()[0].text, U"Errorcode: 1");
}

TEST_F(ProjectCommandsTest, LoadOnModifiedProjectAsksFirst) {
  Inside([&] {
    f.tk.AppendListItem(kGadgetCommonFiles, U"/src/Form.pb");
    f.state.ProjectSaved = 0;
    f.tk.QueueMessageAnswer(MessageResult::kYes);  // unnamed: the save-as requester is cancelled
    ProjectLoad(f.app);
  });
  ASSERT_EQ(f.tk.Requesters().size(), 1u);
  EXPECT_EQ(f.tk.Requesters()[0].kind, RequesterKind::kSaveFile);  // no load requester
}

struct SaveAsCase {
  const char* name;
  const char* chosen;    // relative to the temp dir
  const char* existing;  // "" none, "file" or "dir" of the stored name
  MessageResult answer;
  int result;
  const char* stored;  // the project's path afterwards, relative to the temp dir
};

class SaveAsTest : public ProjectCommandsTest, public ::testing::WithParamInterface<SaveAsCase> {};

TEST_P(SaveAsTest, StoresTheChosenPath) {
  const SaveAsCase& c = GetParam();
  const std::string stored = f.dir / c.stored;
  if (std::string(c.existing) == "file") WriteBytes(stored, "");
  if (std::string(c.existing) == "dir") std::filesystem::create_directory(stored);
  const bool asks = std::string(c.existing) == "file";
  int result = -1;
  Inside([&] {
    f.tk.AppendListItem(kGadgetCommonFiles, U"/src/Form.pb");
    f.state.ProjectSaved = 0;
    f.tk.QueueSaveAnswer(Path(c.chosen));
    if (asks) f.tk.QueueMessageAnswer(c.answer);
    result = ProjectSaveAs(f.app);
  });
  EXPECT_EQ(result, c.result);
  if (asks) {
    ASSERT_FALSE(f.tk.Messages().empty());
    EXPECT_EQ(f.tk.Messages()[0].title, U"Frage");
    EXPECT_EQ(f.tk.Messages()[0].text, U"Datei überschreiben?");
  }
  if (c.result == 1) {
    EXPECT_EQ(f.state.ProjectFile, FromUtf8(stored));
    EXPECT_EQ(f.Status(), FromUtf8(stored));
    EXPECT_EQ(f.state.LastPath, FromUtf8(f.dir.path()));
    EXPECT_EQ(f.state.ProjectHasFile, 1);
    EXPECT_EQ(ReadBytes(stored).rfind("[FILES]\n/src/Form.pb\n\n", 0), 0u);
  } else {
    EXPECT_EQ(f.state.ProjectFile, U"project.pbm");
    EXPECT_EQ(f.state.ProjectHasFile, 0);
    if (std::string(c.existing) == "file") {
      EXPECT_EQ(ReadBytes(stored), "");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveAsTest,
    ::testing::Values(SaveAsCase{"NoExtension", "app", "", MessageResult::kNo, 1, "app.pbm"},
                      SaveAsCase{"OtherExtension", "app.txt", "", MessageResult::kNo, 1, "app.txt"},
                      SaveAsCase{"OverwriteYes", "app.pbm", "file", MessageResult::kYes, 1,
                                 "app.pbm"},
                      SaveAsCase{"OverwriteNo", "app", "file", MessageResult::kNo, 0, "app.pbm"},
                      // A directory of that name is not asked about; writing to it fails.
                      SaveAsCase{"Directory", "app.pbm", "dir", MessageResult::kNo, 0, "app.pbm"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectCommandsTest, SaveAsStartsAtLastPathWithTheProjectsName) {
  Inside([&] {
    f.state.LastPath = U"/work/";
    f.state.ProjectFile = U"/elsewhere/app.pbm";
    EXPECT_EQ(ProjectSaveAs(f.app), 0);  // cancelled
  });
  EXPECT_EQ(LastRequester().title, U"Save project");
  EXPECT_EQ(LastRequester().pattern, kPattern);
  EXPECT_EQ(LastRequester().default_text, U"/work/app.pbm");
}

TEST_F(ProjectCommandsTest, SaveAsWithEmptyListWritesNothing) {
  int result = -1;
  Inside([&] {
    f.tk.QueueSaveAnswer(Path("app"));
    result = ProjectSaveAs(f.app);
  });
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(Exists(f.dir / "app.pbm"));
  EXPECT_EQ(f.state.ProjectFile, U"project.pbm");
  EXPECT_TRUE(f.tk.Messages().empty());
}

TEST_F(ProjectCommandsTest, SaveWritesANamedProjectOrAsksForAName) {
  const Text path = Path("named.pbm");
  Inside([&] {
    ProjectSave(f.app);  // unnamed
    EXPECT_EQ(LastRequester().kind, RequesterKind::kSaveFile);
    MakeNamedProject(path);
    ProjectSave(f.app);
  });
  EXPECT_EQ(f.tk.Requesters().size(), 1u);
  EXPECT_TRUE(Exists(ToUtf8(path)));
}

TEST_F(ProjectCommandsTest, CommonAddAppendsEveryChosenFile) {
  Inside([&] {
    f.state.LastPath = U"/start/";
    CommonAdd(f.app);  // cancelled: nothing changes
    EXPECT_EQ(f.state.ProjectSaved, 1);
    EXPECT_EQ(f.state.LastPath, U"/start/");
    f.tk.QueueOpenAnswer({U"/a/One.pb", U"/b/Two.pbf"});
    f.tk.QueueOpenAnswer({U"/a/One.pb"});
    CommonAdd(f.app);
    CommonAdd(f.app);
  });
  EXPECT_EQ(f.Items(kGadgetCommonFiles),
            (std::vector<Text>{U"/a/One.pb", U"/b/Two.pbf", U"/a/One.pb"}));
  EXPECT_EQ(f.state.LastPath, U"/a/");
  EXPECT_EQ(f.state.ProjectSaved, 0);
  const RequesterRecord& requester = f.tk.Requesters()[0];
  EXPECT_EQ(requester.title, U"Commonfile");
  EXPECT_EQ(requester.pattern, U"Common|*.pb*|Alle Dateien|*.*");
  EXPECT_EQ(requester.default_text, U"/start/");
  EXPECT_TRUE(requester.multiple);
}

struct ListCommandCase {
  const char* name;
  int (*command)(App&);
  int selected;
  std::vector<Text> expected;
  int saved;
};

class ListCommandTest : public ProjectCommandsTest,
                        public ::testing::WithParamInterface<ListCommandCase> {};

TEST_P(ListCommandTest, ChangesTheCommonFileList) {
  const ListCommandCase& c = GetParam();
  Inside([&] {
    for (const char32_t* item : {U"A", U"B", U"C"})
      f.tk.AppendListItem(kGadgetCommonFiles, Text(item));
    f.tk.SelectListItem(kGadgetCommonFiles, c.selected);
    c.command(f.app);
  });
  EXPECT_EQ(f.Items(kGadgetCommonFiles), c.expected);
  EXPECT_EQ(f.state.ProjectSaved, c.saved);
  if (c.command == CommonFirst) {
    EXPECT_EQ(f.tk.GetListSelected(kGadgetCommonFiles), -1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListCommandTest,
    ::testing::Values(ListCommandCase{"DeleteSelected", CommonDelete, 1, {U"A", U"C"}, 0},
                      ListCommandCase{"DeleteNone", CommonDelete, -1, {U"A", U"B", U"C"}, 1},
                      ListCommandCase{"FirstLast", CommonFirst, 2, {U"C", U"A", U"B"}, 0},
                      ListCommandCase{"FirstOnFirst", CommonFirst, 0, {U"A", U"B", U"C"}, 0},
                      ListCommandCase{"FirstNone", CommonFirst, -1, {U"A", U"B", U"C"}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
