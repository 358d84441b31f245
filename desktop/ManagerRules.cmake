# The rules behind the schema manager and copy task manager windows (tree
# rows, labels, help texts and editing rules, schema edits), built on their
# own with their Qt Test suites while the desktop program's own build is
# not in this tree yet. Once it is, these sources build into it with the
# windows and this file goes.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Test)
set(GXF_MANAGERS_DIR ${CMAKE_CURRENT_LIST_DIR})
add_library(GeoxferManagerRules STATIC
            ${GXF_MANAGERS_DIR}/copytask/CopyTaskItems.cpp ${GXF_MANAGERS_DIR}/copytask/CopyTaskTree.cpp
            ${GXF_MANAGERS_DIR}/schema/ClassItemRules.cpp ${GXF_MANAGERS_DIR}/schema/SchemaEditing.cpp)
target_include_directories(GeoxferManagerRules PUBLIC ${GXF_MANAGERS_DIR})
target_link_libraries(GeoxferManagerRules PUBLIC GeoxferControls GeoxferApi Fdo)

if(GEOXFER_TESTS)
  foreach(suite CopyTaskTreeTest SchemaRulesTest)
    add_executable(${suite} ${GXF_MANAGERS_DIR}/tests/managers/${suite}.cpp)
    set_target_properties(${suite} PROPERTIES AUTOMOC ON)
    target_link_libraries(${suite} PRIVATE GeoxferManagerRules Qt6::Test)
    add_test(NAME Desktop.Managers.${suite} COMMAND ${suite})
    set_tests_properties(Desktop.Managers.${suite} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
  endforeach()
endif()
