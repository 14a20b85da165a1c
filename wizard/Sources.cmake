# The wizard: the page host and its pages.
target_sources(uninstaller_core PRIVATE
    wizard/MainLayoutComponent.cpp
    wizard/PageButton.cpp
    wizard/PathLines.cpp
    wizard/ShadowComponent.cpp
    wizard/ThankYouComponent.cpp
    wizard/WelcomeComponent.cpp
    wizard/WrappedText.cpp)
