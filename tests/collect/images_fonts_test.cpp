#include "collect/images_fonts.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using Lines = std::vector<std::string>;
using Images = std::vector<std::pair<std::string, std::string>>;  // {Name, File}

Lines Utf8(const TextList& lines) {
  Lines out;
  for (const Text line : lines) out.push_back(ToUtf8(line));
  return out;
}

SourceModel ModelWith(const Lines& source, const Images& images = {}) {
  SourceModel model;
  for (const std::string& line : source) model.LinesSource.push_back(T(line));
  for (const auto& [name, file] : images) model.ListImage.push_back({T(name), T(file)});
  return model;
}

Images RecordsOf(const SourceModel& model) {
  Images out;
  for (const ImageRecord& r : model.ListImage) out.push_back({ToUtf8(r.Name), ToUtf8(r.File)});
  return out;
}

TEST(BuildFontSectionTest, FontLinesBetweenHeadAndEmptyLine) {
  SourceModel model;
  BuildFontSection(model);
  EXPECT_EQ(Utf8(model.LinesFonts), (Lines{";- Load Font", ""}));
  model.ListFont.push_back({T("#Font_A"), T("  LoadFont(#Font_A, \"Arial\", 10)")});
  model.ListFont.push_back({T("#Font_B"), T("LoadFont(#Font_B, \"Mono\", 9)")});
  BuildFontSection(model);
  EXPECT_EQ(Utf8(model.LinesFonts), (Lines{";- Load Font", "  LoadFont(#Font_A, \"Arial\", 10)",
                                           "LoadFont(#Font_B, \"Mono\", 9)", ""}));
}

TEST(ReplaceLoadImageCallsTest, Lines) {
  const std::pair<const char*, const char*> cases[] = {
      {"ButtonImageGadget(#Button_Open, 10, 10, 32, 32, LoadImage(0, \"open.png\"))",
       "ButtonImageGadget(#Button_Open, 10, 10, 32, 32, ImageID(#MyImage_0))"},
      // Only the first call of a line is replaced.
      {"x = LoadImage(0, \"a.png\") + loadimage(1, \"b.png\")",
       "x = ImageID(#MyImage_0) + loadimage(1, \"b.png\")"},
      // A ")" inside the file name does not end the call.
      {"G(LoadImage(0, \"a(1).png\"), 5)", "G(ImageID(#MyImage_0), 5)"},
      // No quoted file name inside the call, or no ")" after it: unchanged.
      {"G(LoadImage(0, file$), \"t\")", "G(LoadImage(0, file$), \"t\")"},
      {"G(LoadImage(0, file$", "G(LoadImage(0, file$"},
      {"G(LoadImage(0, \"a.png", "G(LoadImage(0, \"a.png"},
      {"G(LoadImage(0, \"a.png\"", "G(LoadImage(0, \"a.png\""},
  };
  for (const auto& [before, after] : cases) {
    SourceModel model = ModelWith({before});
    ReplaceLoadImageCalls(model);
    EXPECT_EQ(ToUtf8(model.LinesSource[0].text()), after) << before;
    bool replaced = std::string(before) != after;
    EXPECT_EQ(model.ListImage.size(), replaced ? 1u : 0u) << before;
  }
}

TEST(ReplaceLoadImageCallsTest, SameFileInAnyCaseSharesOneConstant) {
  SourceModel model = ModelWith({"A(LoadImage(0, \"open.png\"))", "B(LoadImage(0, \"OPEN.PNG\"))",
                                 "C(LoadImage(0, \"save.png\"))"});
  ReplaceLoadImageCalls(model);
  EXPECT_EQ(Utf8(model.LinesSource),
            (Lines{"A(ImageID(#MyImage_0))", "B(ImageID(#MyImage_0))", "C(ImageID(#MyImage_1))"}));
  EXPECT_EQ(RecordsOf(model), (Images{{"#MyImage_0", "open.png"}, {"#MyImage_1", "save.png"}}));
}

TEST(ReplaceLoadImageCallsTest, ReusesFormFileRecord) {
  SourceModel model = ModelWith({"ImageGadget(#I, 0, 0, 1, 1, LoadImage(0, \"Logo.PNG\"))"},
                                {{"#Img_Logo", "logo.png"}});
  ReplaceLoadImageCalls(model);
  EXPECT_EQ(ToUtf8(model.LinesSource[0].text()), "ImageGadget(#I, 0, 0, 1, 1, ImageID(#Img_Logo))");
  EXPECT_EQ(RecordsOf(model), (Images{{"#Img_Logo", "logo.png"}}));
}

TEST(ReplaceLoadImageCallsTest, ManyDistinctImagesStayLinear) {
  SourceModel model;
  const int count = 100000;
  for (int i = 0; i < count; ++i) {
    model.LinesSource.push_back(
        T("G(LoadImage(0, \"img" + std::to_string(i % (count / 2)) + ".png\"))"));
  }
  ReplaceLoadImageCalls(model);
  ASSERT_EQ(model.ListImage.size(), size_t(count / 2));
  EXPECT_EQ(ToUtf8(model.LinesSource[count - 1].text()),
            "G(ImageID(#MyImage_" + std::to_string(count / 2 - 1) + "))");
}

Lines ImageSection(const Images& images, bool include) {
  SourceModel model = ModelWith({}, images);
  Switches switches;
  switches.SwitchImageInclude = include ? 1 : 0;
  BuildImageSection(model, switches);
  return Utf8(model.LinesImages);
}

TEST(BuildImageSectionTest, NoImages) {
  EXPECT_EQ(ImageSection({}, false), (Lines{";- Image Plugin", "", ";- Load Images", ""}));
  EXPECT_EQ(ImageSection({}, true), (Lines{";- Image Plugin", "", ";- Catch Images", "",
                                           ";- Images", "DataSection", "EndDataSection"}));
}

TEST(BuildImageSectionTest, DecodersOnceEachInFixedOrder) {
  Images images = {{"#a", "y.tga"}, {"#b", "b.JPG"},  {"#c", "dir.v/a.jpeg"}, {"#d", "x.png"},
                   {"#e", "p.tif"}, {"#f", "q.TIFF"}, {"#g", "z.bmp"},        {"#h", "noext"}};
  Lines out = ImageSection(images, false);
  Lines head(out.begin(), out.begin() + 9);
  EXPECT_EQ(head, (Lines{";- Image Plugin", "", "UseJPEGImageDecoder()",
                         "UseJPEG2000ImageDecoder()", "UsePNGImageDecoder()",
                         "UseTIFFImageDecoder()", "UseTGAImageDecoder()", "", ";- Load Images"}));
}

TEST(BuildImageSectionTest, LoadVariant) {
  EXPECT_EQ(ImageSection({{"#MyImage_0", "open.png"}, {"#Img", "b.bmp"}}, false),
            (Lines{";- Image Plugin", "", "UsePNGImageDecoder()", "", ";- Load Images",
                   "LoadImage(#MyImage_0, \"open.png\")", "LoadImage(#Img, \"b.bmp\")", ""}));
}

TEST(BuildImageSectionTest, IncludeVariant) {
  EXPECT_EQ(ImageSection({{"#MyImage_0", "open.png"}, {"#Img", "b.bmp"}}, true),
            (Lines{";- Image Plugin", "", "UsePNGImageDecoder()", "", ";- Catch Images",
                   "CatchImage(#MyImage_0, ?MyImage_0)", "CatchImage(#Img, ?Img)", "", ";- Images",
                   "DataSection", "  MyImage_0:", "  IncludeBinary \"open.png\"",
                   "  Img:", "  IncludeBinary \"b.bmp\"", "EndDataSection"}));
}

TEST(BuildImageSectionTest, EmptyNameGivesEmptyLabelWithoutCrash) {
  Lines out = ImageSection({{"", "a.bmp"}}, true);
  EXPECT_EQ(out[3], "CatchImage(, ?)");
}

TEST(ClearImageGadgetImagesTest, Lines) {
  const std::pair<const char*, const char*> cases[] = {
      {"ImageGadget(#Image_Logo, 10, 10, 64, 64, ImageID(#MyImage_1))",
       "ImageGadget(#Image_Logo, 10, 10, 64, 64, 0)"},
      // Flags and the rest of the line are dropped.
      {"  ImageGadget(#Image_0, 10, 10, 64, 64, ImageID(#MyImage_0), #PB_Image_Border) ; c",
       "  ImageGadget(#Image_0, 10, 10, 64, 64, 0)"},
      // Commas are counted from the inner ImageGadget(#.
      {"ButtonImageGadget(#B, 1, 2, 3, 4, ImageID(#M))", "ButtonImageGadget(#B, 1, 2, 3, 4, 0)"},
      // Commas before the call do not count.
      {"a, b, c, d, e, imagegadget(#I, 1, 2, 3, 4, 9)",
       "a, b, c, d, e, imagegadget(#I, 1, 2, 3, 4, 0)"},
      // No blank after the fifth comma: the image argument is not eaten into.
      {"ImageGadget(#I,1,2,3,4,ImageID(#M))", "ImageGadget(#I,1,2,3,4,0)"},
      {"ImageGadget(#I,1,2,3,4,", "ImageGadget(#I,1,2,3,4,0)"},
      // Fewer than five commas: unchanged.
      {"ImageGadget(#I, 1, 2, 3, 4)", "ImageGadget(#I, 1, 2, 3, 4)"},
      {"ImageGadget(0, 1, 2, 3, 4, 5)", "ImageGadget(0, 1, 2, 3, 4, 5)"},
  };
  for (const auto& [before, after] : cases) {
    SourceModel model = ModelWith({before});
    ClearImageGadgetImages(model);
    EXPECT_EQ(ToUtf8(model.LinesSource[0].text()), after) << before;
  }
}

}  // namespace
}  // namespace corvane
