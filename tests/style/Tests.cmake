target_sources(uninstaller_tests PRIVATE
    style/JapaneseLocaleTest.cpp
    style/LineBreaksTest.cpp
    style/QMVHubLookAndFeelTest.cpp)

# Read at run time: the product's sources for the texts they translate, and the
# documents that name the driver's bundles.
target_compile_definitions(uninstaller_tests PRIVATE PELK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
