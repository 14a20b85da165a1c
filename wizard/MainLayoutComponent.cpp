#include "wizard/MainLayoutComponent.h"

#include "style/JapaneseLocale.h"
#include "uninstall/ObstacleText.h"
#include "wizard/WizardVocabulary.h"

namespace
{
    constexpr int fadeMilliseconds = 600;
    constexpr int slideMilliseconds = 300;

    juce::ComponentAnimator& animator()
    {
        return juce::Desktop::getInstance().getAnimator();
    }

    // A page starts slowly and arrives at full speed; the shadow changes evenly.
    void animatePage (juce::Component& page, juce::Rectangle<int> finalBounds)
    {
        animator().animateComponent (&page, finalBounds, 1.0f, slideMilliseconds, false, 0.3, 1.0);
    }

    void animateEvenly (juce::Component& component, float finalAlpha)
    {
        animator().animateComponent (&component, component.getBounds(), finalAlpha,
                                     slideMilliseconds, false, 1.0, 1.0);
    }

    juce::Rectangle<int> shiftedLeftByAQuarter (juce::Rectangle<int> r)
    {
        return r.withX ((int) ((float) r.getWidth() * -0.25f + (float) r.getX()));
    }
}

MainLayoutComponent::MainLayoutComponent (UninstallSetup setup)
    : Thread ("pelk usb midi driver uninstallation"),
      jobCallTarget (this),
      uninstallSequence (std::move (setup), UninstallSequence::Caller::window)
{
    thankYouComponent = std::make_unique<ThankYouComponent> (&broadcaster, WizardVocabulary::thankYouPage);
    welcomeComponent = std::make_unique<WelcomeComponent> (&broadcaster, WizardVocabulary::startPage);
    shadowComponent = std::make_unique<ShadowComponent>();
    shadowComponent->setEnabled (false);

    animator().addChangeListener (this);

    JapaneseLocale::applyTypeface (lookAndFeel);
    setLookAndFeel (&lookAndFeel);

    addChildComponent (*shadowComponent);
    addChildComponent (*thankYouComponent);
    addChildComponent (*welcomeComponent);

    broadcaster.addActionListener (this);

    moveForwardTo (WizardVocabulary::startPage);
    setSize (pageWidth, pageHeight);
}

MainLayoutComponent::~MainLayoutComponent()
{
    // A prompt that is still open is withdrawn: nobody may ever answer it. Then the
    // job, which reads our members, must be over before any of them goes.
    signalThreadShouldExit();
    uninstallSequence.withdraw();
    stopThread (-1);

    animator().removeChangeListener (this);
    setLookAndFeel (nullptr);
    broadcaster.removeAllActionListeners();
}

void MainLayoutComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (QMVHubLookAndFeel::darkFill));
}

void MainLayoutComponent::resized()
{
    for (auto* child : { (juce::Component*) thankYouComponent.get(),
                         (juce::Component*) welcomeComponent.get(),
                         (juce::Component*) shadowComponent.get() })
        child->setBounds (getPageBounds());
}

juce::Rectangle<int> MainLayoutComponent::getPageBounds() const
{
    // The pages are laid out for this size alone: a window forced to another size
    // shows them whole (centred when it is larger) or clipped, but never squeezed.
    const auto spare = getLocalBounds().getBottomRight() - juce::Point<int> (pageWidth, pageHeight);
    return { juce::jmax (0, spare.x / 2), juce::jmax (0, spare.y / 2), pageWidth, pageHeight };
}

void MainLayoutComponent::actionListenerCallback (const juce::String& message)
{
    juce::StringArray tokens;
    tokens.addTokens (message, " \n\r\t", "\"");

    if (tokens.isEmpty())
        return;

    const auto& command = tokens[0];
    const auto& argument = tokens[1];

    if (command == WizardVocabulary::uninstall)
        startUninstall();
    else if (command == WizardVocabulary::finished)
        moveForwardTo (WizardVocabulary::thankYouPage);
    else if (command == WizardVocabulary::completed)
        juce::JUCEApplicationBase::quit();
    else if (command == WizardVocabulary::moveForwardTo)
        moveForwardTo (argument);
    else if (command == WizardVocabulary::moveBackwardTo)
        moveBackwardTo (argument);
    else if (command == WizardVocabulary::moveBackward)
        moveBackward();
}

void MainLayoutComponent::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source != &animator() || animator().isAnimating())
        return;

    shadowComponent->toBack();
    pageStack.getLast()->toFront (false);
}

void MainLayoutComponent::startUninstall()
{
    // While run() works, it is already asking or removing: one prompt per click.
    if (! isThreadRunning())
        startThread();
}

void MainLayoutComponent::run()
{
    auto outcome = uninstallSequence.run (auth, [this] { return ! threadShouldExit(); });
    releaseAuthorization();
    callOnMessageThread ([outcome] (MainLayoutComponent& host) { host.showOutcome (outcome); });
}

void MainLayoutComponent::releaseAuthorization()
{
    // Naming this thread lets our destruction end the wait for the lock: once the
    // program quits, the message thread never grants it again.
    const juce::MessageManagerLock lock (this);

    // Whether or not the lock was gained: if not, our destructor is waiting for us.
    auth = nullptr;
}

void MainLayoutComponent::callOnMessageThread (std::function<void (MainLayoutComponent&)> call)
{
    // Dropped if the program has begun to quit; ignored if we are gone by then.
    juce::MessageManager::callAsync ([host = jobCallTarget, call = std::move (call)]
    {
        if (host != nullptr)
            call (*host);
    });
}

void MainLayoutComponent::showOutcome (const UninstallSequence::Outcome& outcome)
{
    if (outcome.kind == UninstallSequence::Outcome::Kind::refused)
        showRefusal (outcome.obstacle);
    else
        finishUninstall (outcome.bundles);
}

void MainLayoutComponent::showRefusal (const AuthorizationServices::PromptObstacle& obstacle)
{
    // This call is run()'s last act: once its thread has ended, a click can start it again.
    waitForThreadToExit (-1);
    welcomeComponent->restoreIdleState();

    // A user who said no needs no words; one who was never asked does.
    if (auto explanation = ObstacleText::describe (obstacle); explanation.isNotEmpty())
        welcomeComponent->explainProblem (explanation, juce::String::fromUTF8 (obstacle.path.c_str()));
}

void MainLayoutComponent::finishUninstall (const std::vector<DriverRemoval::Bundle>& bundles)
{
    juce::StringArray remainingFiles;

    for (auto& bundle : bundles)
        if (bundle.state == DriverRemoval::State::remains)
            remainingFiles.add (juce::String::fromUTF8 (bundle.path.c_str()));

    thankYouComponent->showRemainingFiles (remainingFiles);
    actionListenerCallback (WizardVocabulary::finished);
}

juce::Component* MainLayoutComponent::findPage (const juce::String& pageName) const
{
    if (pageName == WizardVocabulary::startPage)
        return welcomeComponent.get();

    if (pageName == WizardVocabulary::thankYouPage)
        return thankYouComponent.get();

    return nullptr;
}

void MainLayoutComponent::moveForwardTo (const juce::String& pageName)
{
    auto* target = findPage (pageName);

    if (target == nullptr)
        return;

    auto* current = pageStack.getLast();

    // Animating a page onto itself would leave it stranded off its place.
    if (current != nullptr && current != target)
    {
        if (current == welcomeComponent.get())
            fadeIn (*target, *current);
        else
            slideInFromRight (*target, *current);
    }
    else if (target == welcomeComponent.get())
    {
        target->setVisible (true);
    }

    pageStack.add (target);
}

void MainLayoutComponent::moveBackwardTo (const juce::String& pageName)
{
    auto* target = findPage (pageName);

    if (target == nullptr)
        return;

    auto* current = pageStack.getLast();

    if (current != nullptr && current != target)
        slideOutToRight (*target, *current);
    else if (target == welcomeComponent.get())
        target->setVisible (true);

    if (auto index = pageStack.indexOf (target); index >= 0)
        pageStack.removeRange (index + 1, pageStack.size());
    else
        pageStack.add (target);
}

void MainLayoutComponent::moveBackward()
{
    if (pageStack.size() >= 2)
        moveBackwardTo (pageStack[pageStack.size() - 2]->getName());
}

void MainLayoutComponent::fadeIn (juce::Component& target, juce::Component& current)
{
    target.setBounds (getPageBounds());
    current.setVisible (true);
    target.setVisible (false);
    target.toFront (false);
    current.toBehind (&target);
    animator().fadeIn (&target, fadeMilliseconds);
}

void MainLayoutComponent::slideInFromRight (juce::Component& target, juce::Component& current)
{
    const auto bounds = getPageBounds();

    target.toFront (false);
    target.setAlpha (1.0f);
    current.toBehind (&target);
    current.setAlpha (1.0f);
    shadowComponent->toBehind (&target);
    shadowComponent->setAlpha (0.0f);

    animateEvenly (*shadowComponent, 1.0f);
    target.setBounds (bounds.translated (bounds.getWidth(), 0));
    animatePage (target, bounds);
    animatePage (current, shiftedLeftByAQuarter (current.getBounds()));
}

void MainLayoutComponent::slideOutToRight (juce::Component& target, juce::Component& current)
{
    const auto bounds = getPageBounds();

    current.toFront (false);
    target.toBehind (&current);
    shadowComponent->toBehind (&current);
    shadowComponent->setAlpha (1.0f);
    current.setAlpha (1.0f);
    target.setAlpha (1.0f);

    animateEvenly (*shadowComponent, 0.0f);
    target.setBounds (shiftedLeftByAQuarter (bounds));
    animatePage (target, bounds);
    animatePage (current, current.getBounds().translated (current.getWidth(), 0));
}
