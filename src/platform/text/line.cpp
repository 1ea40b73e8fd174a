#include "platform/text/line.h"

#include <sys/mman.h>

#include <algorithm>
#include <mutex>
#include <new>
#include <stdexcept>

namespace corvane {

namespace {

#if defined(__SANITIZE_ADDRESS__)
#define CORVANE_PLAIN_LINE_BLOCKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CORVANE_PLAIN_LINE_BLOCKS 1
#endif
#endif

// Storage for line characters. A large project holds a million lines or more, each in a block of a
// few dozen bytes, made and freed over and over by the passes; the pool serves them from free lists
// per 16-byte size class, carved from 8 MiB slabs that the kernel may back with huge pages, so a
// run spends neither a general allocation nor a page fault per line. Blocks above 1 KiB, and all
// blocks in address-sanitizer builds (which must see each block on its own), use the heap.
class BlockPool {
 public:
  static void* Allocate(size_t bytes) {
    if (!Pooled(bytes)) return ::operator new(bytes);
    return Instance().Take(ClassOf(bytes));
  }

  static void Free(void* block, size_t bytes) {
    if (!Pooled(bytes)) {
      ::operator delete(block);
      return;
    }
    Instance().Give(block, ClassOf(bytes));
  }

 private:
  static constexpr size_t kGranule = 16;
  static constexpr size_t kLargest = 1024;
  static constexpr size_t kClasses = kLargest / kGranule;
  static constexpr size_t kSlabBytes = size_t{8} << 20;

  struct FreeBlock {
    FreeBlock* next;
  };

  static bool Pooled(size_t bytes) {
#if defined(CORVANE_PLAIN_LINE_BLOCKS)
    (void)bytes;
    return false;
#else
    return bytes <= kLargest;
#endif
  }
  static size_t ClassOf(size_t bytes) { return (bytes + kGranule - 1) / kGranule - 1; }

  // Never destroyed: lines of static lists may be freed during exit.
  static BlockPool& Instance() {
    static BlockPool& pool = *new BlockPool;
    return pool;
  }

  void* Take(size_t size_class) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (FreeBlock* block = free_[size_class]) {
      free_[size_class] = block->next;
      return block;
    }
    const size_t bytes = (size_class + 1) * kGranule;
    if (static_cast<size_t>(end_ - next_) < bytes) NewSlab();
    void* block = next_;
    next_ += bytes;
    return block;
  }

  void Give(void* block, size_t size_class) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto* free_block = static_cast<FreeBlock*>(block);
    free_block->next = free_[size_class];
    free_[size_class] = free_block;
  }

  // The rest of the old slab is given to the free lists, so nothing is lost when slabs change.
  void NewSlab() {
    for (size_t c = kClasses; c-- > 0;) {
      const size_t bytes = (c + 1) * kGranule;
      while (static_cast<size_t>(end_ - next_) >= bytes) {
        auto* free_block = reinterpret_cast<FreeBlock*>(next_);
        free_block->next = free_[c];
        free_[c] = free_block;
        next_ += bytes;
      }
    }
    void* slab =
        mmap(nullptr, kSlabBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (slab == MAP_FAILED) throw std::bad_alloc();
#if defined(MADV_HUGEPAGE)
    madvise(slab, kSlabBytes, MADV_HUGEPAGE);  // advice only: without huge pages it works the same
#endif
    next_ = static_cast<char*>(slab);
    end_ = next_ + kSlabBytes;
  }

  std::mutex mutex_;
  FreeBlock* free_[kClasses] = {};
  char* next_ = nullptr;
  char* end_ = nullptr;
};

bool AllBelow256(TextView text) {
  return std::all_of(text.begin(), text.end(), [](char32_t c) { return c < 0x100; });
}

}  // namespace

Line Line::FromLatin1Bytes(std::string_view bytes) {
  Line line;
  line.AssignNarrow(bytes);
  return line;
}

Line::Line(const Line& other) : meta_(0) { AssignFrom(other); }

Line::Line(Line&& other) noexcept : meta_(other.meta_) {
  std::memcpy(raw_, other.raw_, kInline);
  other.meta_ = 0;
}

Line& Line::operator=(const Line& other) {
  if (this != &other) AssignFrom(other);
  return *this;
}

void Line::AssignFrom(const Line& other) {
  if (other.narrow()) {
    AssignNarrow(other.bytes());
  } else {
    Assign(other.wide());
  }
}

Line& Line::operator=(Line&& other) noexcept {
  if (this == &other) return *this;
  Release();
  meta_ = other.meta_;
  std::memcpy(raw_, other.raw_, kInline);
  other.meta_ = 0;
  return *this;
}

Line& Line::operator=(TextView text) {
  Assign(text);
  return *this;
}

size_t Line::HeapBytes() const { return narrow() ? size() : size() * sizeof(char32_t); }

void Line::Release() {
  if (OnHeap()) BlockPool::Free(HeapPointer(), HeapBytes());
  meta_ = 0;
}

// The old storage is released only after the new one is filled, so assigning a line a view of its
// own characters is safe. `fill` writes the `size` bytes of a narrow line.
template <typename Fill>
void Line::FillNarrow(size_t size, Fill fill) {
  if (size > kMaxSize) throw std::length_error("line too long");
  char small[kInline];
  char* out = size <= kInline ? small : static_cast<char*>(BlockPool::Allocate(size));
  fill(out);
  Release();
  if (size <= kInline) {
    std::memcpy(raw_, small, size);
  } else {
    std::memcpy(raw_, &out, sizeof out);
  }
  meta_ = static_cast<uint32_t>(size) << 1;
}

void Line::AssignNarrow(std::string_view bytes) {
  FillNarrow(bytes.size(), [bytes](char* out) {
    if (!bytes.empty()) std::memcpy(out, bytes.data(), bytes.size());
  });
}

void Line::Assign(TextView text) {
  if (AllBelow256(text)) {
    FillNarrow(text.size(), [text](char* out) {
      for (size_t i = 0; i < text.size(); ++i) out[i] = static_cast<char>(text[i]);
    });
    return;
  }
  if (text.size() > kMaxSize) throw std::length_error("line too long");
  const auto size = static_cast<uint32_t>(text.size());
  auto* heap = static_cast<char*>(BlockPool::Allocate(size * sizeof(char32_t)));
  std::memcpy(heap, text.data(), size * sizeof(char32_t));
  Release();
  std::memcpy(raw_, &heap, sizeof heap);
  meta_ = size << 1 | 1;
}

Text Line::text() const {
  Text out;
  AppendTo(out);
  return out;
}

void Line::CopyTo(Text& out) const {
  out.clear();
  AppendTo(out);
}

void Line::AppendTo(Text& out) const {
  if (!narrow()) {
    out.append(wide());
    return;
  }
  const std::string_view b = bytes();
  const size_t at = out.size();
  out.resize(at + b.size());
  char32_t* dest = out.data() + at;
  for (size_t i = 0; i < b.size(); ++i) dest[i] = static_cast<unsigned char>(b[i]);
}

bool operator==(const Line& a, const Line& b) {
  if (a.size() != b.size()) return false;
  if (a.narrow() && b.narrow()) return a.bytes() == b.bytes();
  // Every line whose characters are all below 256 is stored narrow, so a narrow and a wide line
  // always differ.
  if (a.narrow() != b.narrow()) return false;
  return a.wide() == b.wide();
}

bool operator==(const Line& a, TextView b) {
  if (a.size() != b.size()) return false;
  if (!a.narrow()) return a.wide() == b;
  const std::string_view bytes = a.bytes();
  for (size_t i = 0; i < b.size(); ++i) {
    if (static_cast<unsigned char>(bytes[i]) != b[i]) return false;
  }
  return true;
}

size_t LineHash::operator()(const Line& line) const {
  // Equal lines are stored alike (narrow whenever they can be), so each form hashes on its own.
  if (line.narrow()) return std::hash<std::string_view>()(line.bytes());
  return std::hash<TextView>()(line.wide());
}

std::vector<Text> ToTexts(const LineList& lines) {
  std::vector<Text> out;
  out.reserve(lines.size());
  for (const Line& line : lines) out.push_back(line.text());
  return out;
}

LineList ToLines(const std::vector<Text>& texts) { return LineList(texts.begin(), texts.end()); }

void PrintTo(const Line& line, std::ostream* out) { *out << '"' << ToUtf8(line.text()) << '"'; }

}  // namespace corvane
