#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A page's one button: pressed by the mouse, or by Return or space while it has
    the keyboard focus, as a desktop's own buttons are. */
class PageButton : public juce::TextButton
{
public:
    explicit PageButton (const juce::String& name);

    bool keyPressed (const juce::KeyPress& key) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PageButton)
};
