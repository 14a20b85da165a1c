#include <juce_gui_basics/juce_gui_basics.h>

// The smallest window the framework makes, set up as the uninstaller's is, to
// compare start-up time and memory against. With "--with-text" it also draws a
// line of text, which makes the framework load its fonts.
namespace
{
    class BlankContent : public juce::Component
    {
    public:
        explicit BlankContent (bool withText) : drawsText (withText)    { setSize (400, 240); }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (0xff282828));

            if (drawsText)
            {
                g.setColour (juce::Colours::white);
                g.drawText ("Bare JUCE Window", getLocalBounds(), juce::Justification::centred);
            }
        }

    private:
        const bool drawsText;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BlankContent)
    };

    class BareWindow : public juce::DocumentWindow
    {
    public:
        explicit BareWindow (bool withText)
            : DocumentWindow ("Bare JUCE Window", juce::Colours::lightgrey, DocumentWindow::closeButton, true)
        {
            setUsingNativeTitleBar (true);
            setContentOwned (new BlankContent (withText), true);
            centreWithSize (getWidth(), getHeight());
            setVisible (true);
        }

        void closeButtonPressed() override           { juce::JUCEApplicationBase::quit(); }

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BareWindow)
    };

    class BareWindowApplication : public juce::JUCEApplication
    {
    public:
        const juce::String getApplicationName() override      { return "Bare JUCE Window"; }
        const juce::String getApplicationVersion() override   { return "1.0.0"; }
        bool moreThanOneInstanceAllowed() override            { return true; }
        void initialise (const juce::String& commandLine) override
        {
            window = std::make_unique<BareWindow> (commandLine.contains ("--with-text"));
        }

        void shutdown() override                              { window = nullptr; }

    private:
        std::unique_ptr<BareWindow> window;
    };
}

START_JUCE_APPLICATION (BareWindowApplication)
