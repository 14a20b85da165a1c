#include "wizard/PageButton.h"

PageButton::PageButton (const juce::String& name)
    : TextButton (name)
{
}

bool PageButton::keyPressed (const juce::KeyPress& key)
{
    // Return is the framework's own; a click that arrives once the button is
    // disabled is dropped there too, so holding space presses it only once.
    if (key == juce::KeyPress::spaceKey && isEnabled())
    {
        triggerClick();
        return true;
    }

    return TextButton::keyPressed (key);
}
