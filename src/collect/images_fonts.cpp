#include "collect/images_fonts.h"

#include <unordered_map>

#include "analysis/scan.h"
#include "platform/fs/fs.h"

namespace corvane {
namespace {

constexpr TextView kLoadImageKey = U"LOADIMAGE(";
constexpr TextView kImageGadgetKey = U"IMAGEGADGET(#";
constexpr TextView kNewImagePrefix = U"#MyImage_";
constexpr TextView kImageIdCall = U"ImageID(";
constexpr char32_t kQuote = U'"';

constexpr size_t kImageArgumentComma = 5;

// Index of ListImage records by upper-case File; the first record of a file wins, as a search
// from the front of the list would find it.
using ImageIndex = std::unordered_map<Text, size_t>;

ImageIndex IndexImagesByFile(const std::vector<ImageRecord>& images) {
  ImageIndex index;
  index.reserve(images.size());
  for (size_t i = 0; i < images.size(); ++i) index.emplace(UpperCase(images[i].File), i);
  return index;
}

// The constant of `file`: an existing record's Name, else a new "#MyImage_<n>" record.
Text ImageConstant(SourceModel& model, ImageIndex& index, int64_t& counter, const Text& file) {
  auto [it, added] = index.emplace(UpperCase(file), model.ListImage.size());
  if (added) model.ListImage.push_back({Text(kNewImagePrefix) + Decimal(counter++), file});
  return model.ListImage[it->second].Name;
}

// The quoted file name of the call at `call` (0-based) and the index of the ")" that ends the
// call. The opening quote must come before the first ")" of the call, so a call with a variable
// file name is not matched; the ")" is searched after the closing quote, so a ")" inside the name
// does not cut it.
bool FindQuotedFile(const Text& line, size_t call, Text& file, size_t& close) {
  size_t q1 = line.find(kQuote, call);
  if (q1 == Text::npos || q1 > line.find(U')', call)) return false;
  size_t q2 = line.find(kQuote, q1 + 1);
  if (q2 == Text::npos) return false;
  close = line.find(U')', q2 + 1);
  if (close == Text::npos) return false;
  file = line.substr(q1 + 1, q2 - q1 - 1);
  return true;
}

// Which decoder lines the image files need.
struct Decoders {
  bool jpeg = false;
  bool png = false;
  bool tiff = false;
  bool tga = false;
  bool Any() const { return jpeg || png || tiff || tga; }
};

Decoders NeededDecoders(const std::vector<ImageRecord>& images) {
  Decoders needed;
  for (const ImageRecord& image : images) {
    Text ext = UpperCase(FromUtf8(ExtensionPart(ToUtf8(image.File))));
    if (ext == U"JPG" || ext == U"JPEG") needed.jpeg = true;
    if (ext == U"PNG") needed.png = true;
    if (ext == U"TIF" || ext == U"TIFF") needed.tiff = true;
    if (ext == U"TGA") needed.tga = true;
  }
  return needed;
}

void AddDecoderLines(const Decoders& needed, TextList& out) {
  if (needed.jpeg) {
    out.push_back(U"UseJPEGImageDecoder()");
    out.push_back(U"UseJPEG2000ImageDecoder()");
  }
  if (needed.png) out.push_back(U"UsePNGImageDecoder()");
  if (needed.tiff) out.push_back(U"UseTIFFImageDecoder()");
  if (needed.tga) out.push_back(U"UseTGAImageDecoder()");
  if (needed.Any()) out.push_back(Text());
}

// The data label of an image: its Name without the first character ("#").
Text ImageLabel(const ImageRecord& image) {
  return image.Name.empty() ? Text() : image.Name.substr(1);
}

Text Quoted(const Text& text) { return kQuote + text + kQuote; }

void AddCatchImages(const std::vector<ImageRecord>& images, TextList& out) {
  out.push_back(U";- Catch Images");
  for (const ImageRecord& image : images) {
    out.push_back(U"CatchImage(" + image.Name + U", ?" + ImageLabel(image) + U")");
  }
  out.push_back(Text());
  out.push_back(U";- Images");
  out.push_back(U"DataSection");
  for (const ImageRecord& image : images) {
    out.push_back(U"  " + ImageLabel(image) + U":");
    out.push_back(U"  IncludeBinary " + Quoted(image.File));
  }
  out.push_back(U"EndDataSection");
}

void AddLoadImages(const std::vector<ImageRecord>& images, TextList& out) {
  out.push_back(U";- Load Images");
  for (const ImageRecord& image : images) {
    out.push_back(U"LoadImage(" + image.Name + U", " + Quoted(image.File) + U")");
  }
  out.push_back(Text());
}

// Index just past the part of an ImageGadget line that is kept: the fifth comma after the call and
// the blank after it. npos when the line has fewer commas.
size_t ImageArgumentStart(const Text& line, size_t call) {
  size_t comma = call;
  for (size_t k = 0; k < kImageArgumentComma; ++k) {
    comma = line.find(U',', k == 0 ? call : comma + 1);
    if (comma == Text::npos) return Text::npos;
  }
  size_t end = comma + 1;
  // Without a blank after the comma the next character belongs to the image argument.
  if (end < line.size() && (line[end] == U' ' || line[end] == U'\t')) ++end;
  return end;
}

}  // namespace

void BuildFontSection(SourceModel& model) {
  model.LinesFonts.clear();
  model.LinesFonts.push_back(U";- Load Font");
  for (const FontRecord& font : model.ListFont) model.LinesFonts.push_back(font.Line);
  model.LinesFonts.push_back(Text());
}

void ReplaceLoadImageCalls(SourceModel& model) {
  ImageIndex index = IndexImagesByFile(model.ListImage);
  int64_t counter = 0;
  EditLinesHolding(model.LinesSource, kLoadImageKey, [&](Text& line) {
    const size_t call = FindNoCase(line, kLoadImageKey, 1) - 1;
    Text file;
    size_t close = 0;
    if (!FindQuotedFile(line, call, file, close)) return;
    Text constant = ImageConstant(model, index, counter, file);
    line = line.substr(0, call) + Text(kImageIdCall) + constant + U")" + line.substr(close + 1);
  });
}

void BuildImageSection(SourceModel& model, const Switches& switches) {
  TextList& out = model.LinesImages;
  out.clear();
  out.push_back(U";- Image Plugin");
  out.push_back(Text());
  AddDecoderLines(NeededDecoders(model.ListImage), out);
  if (switches.SwitchImageInclude != 0) {
    AddCatchImages(model.ListImage, out);
  } else {
    AddLoadImages(model.ListImage, out);
  }
}

void ClearImageGadgetImages(SourceModel& model) {
  EditLinesHolding(model.LinesSource, kImageGadgetKey, [](Text& line) {
    const size_t keep = ImageArgumentStart(line, FindNoCase(line, kImageGadgetKey, 1) - 1);
    if (keep == Text::npos) return;
    line = line.substr(0, keep) + U"0)";
  });
}

}  // namespace corvane
