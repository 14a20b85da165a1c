#include "wizard/ShadowComponent.h"

void ShadowComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xc8000000));
}
