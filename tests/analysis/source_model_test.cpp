#include "analysis/source_model.h"

#include <gtest/gtest.h>

#include "analysis/error_text.h"

namespace corvane {
namespace {

size_t TableLength(const TextView* table) {
  size_t n = 0;
  while (!table[n].empty()) ++n;
  return n;
}

TEST(SourceModelTest, KeywordTablesHoldTheirNamesInOrder) {
  ASSERT_EQ(TableLength(kKeywordTable), 125u);
  EXPECT_EQ(kKeywordTable[0], U"AddGadgetColumn");
  EXPECT_EQ(kKeywordTable[81], U"WebGadgetPath");
  EXPECT_EQ(kKeywordTable[82], U"CloseSubMenu");
  EXPECT_EQ(kKeywordTable[124], U"StatusBarText");
  ASSERT_EQ(TableLength(kGadgetFunctionTable), 33u);
  EXPECT_EQ(kGadgetFunctionTable[0], U"ButtonGadget");
  EXPECT_EQ(kGadgetFunctionTable[32], U"WebGadget");
}

TEST(SourceModelTest, KeySetsAreUpperCaseAndIncludeUserGadgets) {
  SourceModel model;
  model.ListUserGadget = {U"MyFancyGadget", U"other_Gadget"};
  BuildKeySets(model);
  EXPECT_EQ(model.MapKeyword.size(), 127u);
  EXPECT_EQ(model.MapGadgetFunction.size(), 35u);
  for (const TextView name :
       {U"BUTTONGADGET", U"STATUSBARTEXT", U"MYFANCYGADGET", U"OTHER_GADGET"}) {
    EXPECT_TRUE(model.MapKeyword.count(Text(name)));
  }
  EXPECT_TRUE(model.MapGadgetFunction.count(U"OTHER_GADGET"));
  EXPECT_FALSE(model.MapGadgetFunction.count(U"MENUITEM"));
  EXPECT_FALSE(model.MapKeyword.count(U"ButtonGadget"));
}

TEST(SourceModelTest, ResetEmptiesRunListsOnly) {
  SourceModel m;
  m.LinesSource = {U"x"};
  m.ListGadgetID = {{U"G", U"BUTTONGADGET"}};
  m.LinesInclude = {U"i"};
  m.MapLanguage.Set(U"k", U"v");
  m.LinesProject = {U"[FILES]"};
  m.ListOldGadgetID = {U"G"};
  m.ListReplace = {{U"a", U"b", 6}};
  m.ListVanishedConst = {U"a"};
  m.ListUserGadget = {U"U"};
  m.MapKeyword.insert(U"K");
  m.WriteFormat = WriteEncoding::kUtf8Bom;
  ResetSourceModel(m);
  EXPECT_TRUE(m.LinesSource.empty());
  EXPECT_TRUE(m.ListGadgetID.empty());
  EXPECT_TRUE(m.LinesInclude.empty());
  EXPECT_EQ(m.MapLanguage.Count(), 0u);
  EXPECT_EQ(m.LinesProject.size(), 1u);
  EXPECT_EQ(m.ListOldGadgetID.size(), 1u);
  EXPECT_EQ(m.ListReplace.size(), 1u);
  EXPECT_EQ(m.ListVanishedConst.size(), 1u);
  EXPECT_EQ(m.ListUserGadget.size(), 1u);
  EXPECT_EQ(m.MapKeyword.size(), 1u);
  EXPECT_EQ(m.WriteFormat, WriteEncoding::kUtf8Bom);
}

TEST(SourceModelTest, TextMapKeepsFirstInsertionOrder) {
  TextMap map;
  map.Set(U"b", U"1");
  map.Set(U"a", U"2");
  EXPECT_FALSE(map.AddIfMissing(U"b", U"ignored"));
  EXPECT_TRUE(map.AddIfMissing(U"c", U"c"));
  map.Set(U"b", U"3");
  ASSERT_EQ(map.Count(), 3u);
  EXPECT_EQ(map.Entries()[0], (std::pair<Text, Text>{U"b", U"3"}));
  EXPECT_EQ(map.Entries()[1].first, U"a");
  EXPECT_EQ(map.Entries()[2].first, U"c");
  ASSERT_NE(map.Find(U"a"), nullptr);
  EXPECT_EQ(*map.Find(U"a"), U"2");
  EXPECT_EQ(map.Find(U"A"), nullptr);
}

TEST(ErrorTextTest, UpperCaseHexWithoutLeadingZeros) {
  EXPECT_EQ(ErrorText(1), U"Errorcode: 1");
  EXPECT_EQ(ErrorText(0x1A), U"Errorcode: 1A");
  EXPECT_EQ(ErrorText(255), U"Errorcode: FF");
  EXPECT_EQ(ErrorText(0), U"Errorcode: 0");
  EXPECT_EQ(ErrorText(0x100), U"Errorcode: 100");
  EXPECT_EQ(ErrorText(LastErrorCode()), U"Errorcode: 1");
}

}  // namespace
}  // namespace corvane
