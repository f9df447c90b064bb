# The program's side of the engine interface. Built with or without the
# program: the engine's tests drive the engine through it, as the program does.
add_library(tolvane_engine_client STATIC ${CMAKE_CURRENT_LIST_DIR}/CallEngineJob.cpp)
target_include_directories(tolvane_engine_client PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tolvane_engine_client PUBLIC vorlik)
