// The synchronous request channel from the worker thread of a run to the GUI thread: the worker
// posts a request as a custom event addressed to the hidden command button and waits on the
// request's own semaphore until the GUI thread has acted and replied.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "analysis/run_host.h"
#include "platform/text/text.h"
#include "platform/thread/thread.h"

namespace corvane {

enum RequestType : int {
  RequestCloseStart = 0x401,    // enable the main window, close the start dialog
  RequestOpenReplace = 0x402,   // open the search-and-replace dialog; Param = kind; deferred reply
  RequestCloseReplace = 0x403,  // enable the main window, close the search-and-replace dialog
  RequestLog = 0x404,           // append the text at Param (a const Text*) to the log list
  // The GUI actions a run takes besides the four above, through the same channel so that the
  // worker never touches the toolkit.
  RequestEnableMain = 0x405,       // enable the main window
  RequestReadCommonFiles = 0x406,  // Param = std::vector<Text>* to fill with the common files
  RequestSaveProjectAs = 0x407,    // the save-as command; Result 1 when written
  RequestReadTodoList = 0x408,     // Param = std::vector<Text>* to fill with the "Todo List" items
  RequestWriteProject = 0x409,     // Param = WriteProjectRequest*; Result = WriteProject's result
  // The worker's last request, after the run has ended whichever way: the GUI thread gives the
  // commands held back during the run back.
  RequestRunEnded = 0x40A,
};

struct GuiRequest {
  Semaphore semaphore{0};
  int64_t Result = 0;
  intptr_t Param = 0;
};

struct WriteProjectRequest {
  Text path;
  int mode = 0;
};

// Posts a gadget event for gadget 0 of window 0 with `type` as its event type and `request` as its
// data into the GUI thread's event queue. Must be callable from any thread.
using RequestPoster = std::function<void(int type, GuiRequest* request)>;

class RequestChannel {
 public:
  explicit RequestChannel(RequestPoster poster) : poster_(std::move(poster)) {}

  // Worker thread only: posts the request and returns its Result once the GUI thread replied.
  int64_t SendGuiRequest(int type, intptr_t param);

 private:
  RequestPoster poster_;
};

// GUI thread only: stores the result, then wakes the worker (in this order: the record stops
// existing as soon as the worker wakes).
void ReplyGuiRequest(GuiRequest* request, int64_t result);

// A RunHost whose every call is a request through the channel.
class ChannelRunHost : public RunHost {
 public:
  explicit ChannelRunHost(RequestChannel& channel) : channel_(channel) {}

  void WriteLog(const Text& line) override;
  void CloseStartDialog() override;
  void EnableMainWindow() override;
  std::vector<Text> ReadCommonFiles() override;
  bool SaveProjectAs() override;
  int OpenReplaceDialog(int kind) override;
  std::vector<Text> ReadTodoList() override;
  void CloseReplaceDialog() override;
  int WriteProjectFile(const Text& path, int mode) override;

 private:
  RequestChannel& channel_;
};

}  // namespace corvane
