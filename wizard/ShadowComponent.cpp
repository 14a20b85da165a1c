#include "wizard/ShadowComponent.h"

ShadowComponent::ShadowComponent()
{
    setComponentID ("shadow");
}

void ShadowComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xc8000000));
}
