#pragma once

#include "support/MessageLoop.h"
#include "wizard/MainLayoutComponent.h"
#include "wizard/PathLines.h"

#include <array>
#include <stdexcept>

/** Reaches the page host's pages and controls by their component IDs, as anyone may
    (a missing part fails the test case), and its history of pages by what a user sees. */
namespace PageParts
{
    template <typename PartType>
    PartType& find (juce::Component& parent, const juce::String& id)
    {
        if (auto* part = dynamic_cast<PartType*> (parent.findChildWithID (id)))
            return *part;
        throw std::logic_error ((parent.getComponentID() + " has no part " + id).toStdString());
    }

    inline WelcomeComponent& welcomePage (juce::Component& host)      { return find<WelcomeComponent> (host, WizardVocabulary::startPage); }
    inline ThankYouComponent& completionPage (juce::Component& host)  { return find<ThankYouComponent> (host, WizardVocabulary::thankYouPage); }
    inline ShadowComponent& shadow (juce::Component& host)            { return find<ShadowComponent> (host, "shadow"); }

    inline juce::TextButton& uninstallButton (juce::Component& page)  { return find<juce::TextButton> (page, "uninstallButton"); }
    inline juce::ProgressBar& progressBar (juce::Component& page)     { return find<juce::ProgressBar> (page, "progressBar"); }
    inline juce::TextEditor& descriptionBox (juce::Component& page)   { return find<juce::TextEditor> (page, "descriptionBox"); }

    inline juce::Label& titleLabel (juce::Component& page)            { return find<juce::Label> (page, "titleLabel"); }
    inline juce::TextEditor& messageBox (juce::Component& page)       { return find<juce::TextEditor> (page, "messageBox"); }
    inline juce::TextButton& okButton (juce::Component& page)         { return find<juce::TextButton> (page, "okButton"); }

    /** The lines of a list of remaining files, each wrapped line joined back to the one
        before, without the blank lines that set entries apart. */
    inline juce::StringArray remainingFileLines (const juce::TextEditor& box)
    {
        juce::StringArray lines;

        for (auto& line : juce::StringArray::fromLines (box.getText()))
        {
            if (line.isEmpty())
                continue;

            if (line.startsWith (PathLines::continuationIndent) && ! lines.isEmpty())
                lines.getReference (lines.size() - 1) += line.substring (2);
            else
                lines.add (line);
        }

        return lines;
    }

    /** What the completion page lists for the paths: each name, then its folder. */
    inline juce::StringArray listingOf (const juce::StringArray& paths, const juce::String& in = "in")
    {
        juce::StringArray lines;

        for (auto& path : paths)
            lines.addArray ({ path.fromLastOccurrenceOf ("/", false, false),
                              in + " " + path.upToLastOccurrenceOf ("/", false, false) });

        return lines;
    }

    /** The welcome page's look: its button shown, and enabled, its description shown, its busy bar shown. */
    using WelcomeLook = std::array<bool, 4>;
    constexpr WelcomeLook idleLook { true, true, true, false };
    constexpr WelcomeLook workingLook { true, false, false, true };

    inline WelcomeLook welcomeLook (juce::Component& page)
    {
        return { uninstallButton (page).isVisible(), uninstallButton (page).isEnabled(),
                 descriptionBox (page).isVisible(), progressBar (page).isVisible() };
    }

    /** The page in front, by its ID (its name); a transition brings its page there when it ends. */
    inline juce::String pageInFront (const juce::Component& host)
    {
        return host.getChildren().getLast()->getComponentID();
    }

    /** The pages a user meets going back, the one in front first: lets the transition end,
        then sends "moveBackward" until nothing moves (a few times at most). */
    inline juce::StringArray pagesGoingBack (MainLayoutComponent& host)
    {
        MessageLoop::runUntilAnimationsEnd();
        juce::StringArray pages (pageInFront (host));

        for (int step = 0; step < 10; ++step)
        {
            host.actionListenerCallback ("moveBackward");

            if (! juce::Desktop::getInstance().getAnimator().isAnimating())
                break;

            MessageLoop::runUntilAnimationsEnd();
            pages.add (pageInFront (host));
        }

        return pages;
    }
}
