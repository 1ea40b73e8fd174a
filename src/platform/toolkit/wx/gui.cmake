# Included from the toolkit directory: the wx toolkit and the desktop program, when wanted and found.
option(CORVANE_GUI "Build the desktop program on wxWidgets" ON)
if(CORVANE_GUI)
  find_package(wxWidgets 3.2 COMPONENTS core base)
  if(wxWidgets_FOUND)
    add_subdirectory(${CMAKE_CURRENT_LIST_DIR})
  else()
    message(WARNING "wxWidgets 3.2 not found: the desktop program is not built (CORVANE_GUI=OFF "
                    "silences this)")
  endif()
endif()
