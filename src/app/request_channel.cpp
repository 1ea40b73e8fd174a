#include "app/request_channel.h"

namespace corvane {

int64_t RequestChannel::SendGuiRequest(int type, intptr_t param) {
  GuiRequest request;
  request.Param = param;
  poster_(type, &request);
  request.semaphore.Wait();
  return request.Result;
}

void ReplyGuiRequest(GuiRequest* request, int64_t result) {
  request->Result = result;
  request->semaphore.Signal();
}

namespace {

template <typename T>
intptr_t Address(T* object) {
  return reinterpret_cast<intptr_t>(object);
}

}  // namespace

void ChannelRunHost::WriteLog(const Text& line) {
  // The worker blocks until the GUI has copied the line, so its private copy outlives the request.
  const Text copy = line;
  channel_.SendGuiRequest(RequestLog, Address(&copy));
}

void ChannelRunHost::CloseStartDialog() { channel_.SendGuiRequest(RequestCloseStart, 0); }

void ChannelRunHost::EnableMainWindow() { channel_.SendGuiRequest(RequestEnableMain, 0); }

std::vector<Text> ChannelRunHost::ReadCommonFiles() {
  std::vector<Text> files;
  channel_.SendGuiRequest(RequestReadCommonFiles, Address(&files));
  return files;
}

bool ChannelRunHost::SaveProjectAs() {
  return channel_.SendGuiRequest(RequestSaveProjectAs, 0) == 1;
}

int ChannelRunHost::OpenReplaceDialog(int kind) {
  return static_cast<int>(channel_.SendGuiRequest(RequestOpenReplace, kind));
}

std::vector<Text> ChannelRunHost::ReadTodoList() {
  std::vector<Text> items;
  channel_.SendGuiRequest(RequestReadTodoList, Address(&items));
  return items;
}

void ChannelRunHost::CloseReplaceDialog() { channel_.SendGuiRequest(RequestCloseReplace, 0); }

int ChannelRunHost::WriteProjectFile(const Text& path, int mode) {
  WriteProjectRequest request{path, mode};
  return static_cast<int>(channel_.SendGuiRequest(RequestWriteProject, Address(&request)));
}

}  // namespace corvane
