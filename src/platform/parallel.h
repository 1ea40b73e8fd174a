// Two pieces of work at once, for the passes of a large run that touch disjoint lists.
#pragma once

#include <exception>
#include <system_error>
#include <thread>

namespace corvane {

// Runs `side` on a second thread while `main` runs on this one. The two must write disjoint parts
// of the model and only read what neither writes; a large project's passes then use both cores.
// An exception from either is passed on once both have finished. Without a second thread (the
// system refuses one) the two run one after the other.
template <typename Main, typename Side>
void RunSideBySide(Main main, Side side) {
  std::exception_ptr side_error;
  std::thread helper;
  try {
    helper = std::thread([&] {
      try {
        side();
      } catch (...) {
        side_error = std::current_exception();
      }
    });
  } catch (const std::system_error&) {
    main();
    side();
    return;
  }
  std::exception_ptr main_error;
  try {
    main();
  } catch (...) {
    main_error = std::current_exception();
  }
  helper.join();
  if (main_error) std::rethrow_exception(main_error);
  if (side_error) std::rethrow_exception(side_error);
}

}  // namespace corvane
