#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The dark veil laid over the outgoing page while a new one slides over it; its
    component ID is "shadow". */
class ShadowComponent : public juce::Component
{
public:
    ShadowComponent();
    ~ShadowComponent() override = default;

    void paint (juce::Graphics& g) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ShadowComponent)
};
