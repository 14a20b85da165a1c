#include "platform/JapaneseTypeface.h"

#if JUCE_MAC

juce::String JapaneseTypeface::findFamilyName (const juce::String&)
{
    return "Arial Unicode MS";
}

#else

#include <juce_graphics/juce_graphics.h>
#include <fontconfig/fontconfig.h>

namespace
{
    struct FcDeleter
    {
        void operator() (FcPattern* p) const noexcept    { FcPatternDestroy (p); }
        void operator() (FcCharSet* c) const noexcept    { FcCharSetDestroy (c); }
        void operator() (FcObjectSet* o) const noexcept  { FcObjectSetDestroy (o); }
        void operator() (FcFontSet* s) const noexcept    { FcFontSetDestroy (s); }
    };

    template <typename T>
    using FcPtr = std::unique_ptr<T, FcDeleter>;

    FcPtr<FcCharSet> makeCharSet (const juce::String& text)
    {
        FcPtr<FcCharSet> charSet (FcCharSetCreate());

        // Latin letters too: some CJK fallback faces have none, and the texts mix both.
        for (auto t = text.getCharPointer(); ! t.isEmpty(); ++t)
            if (! juce::CharacterFunctions::isWhitespace (*t) && *t >= 0x20)
                FcCharSetAddChar (charSet.get(), (FcChar32) *t);

        return charSet;
    }

    /** fontconfig may list a localised family name first; the framework knows only one of them. */
    juce::String knownFamilyOf (FcPattern* font, const juce::StringArray& knownFamilies)
    {
        FcChar8* family = nullptr;

        for (int i = 0; FcPatternGetString (font, FC_FAMILY, i, &family) == FcResultMatch; ++i)
        {
            auto name = juce::String::fromUTF8 (reinterpret_cast<const char*> (family));

            if (knownFamilies.contains (name))
                return name;
        }

        return {};
    }
}

juce::String JapaneseTypeface::findFamilyName (const juce::String& sampleText)
{
    if (FcInit() == FcFalse)
        return {};

    auto charSet = makeCharSet (sampleText);
    FcPtr<FcPattern> pattern (FcPatternCreate());
    FcPatternAddCharSet (pattern.get(), FC_CHARSET, charSet.get());

    FcPtr<FcObjectSet> properties (FcObjectSetBuild (FC_FAMILY, nullptr));
    FcPtr<FcFontSet> fonts (FcFontList (nullptr, pattern.get(), properties.get()));

    if (fonts == nullptr)
        return {};

    auto knownFamilies = juce::Font::findAllTypefaceNames();
    juce::StringArray candidates;

    for (int i = 0; i < fonts->nfont; ++i)
        if (auto name = knownFamilyOf (fonts->fonts[i], knownFamilies); name.isNotEmpty())
            candidates.addIfNotAlreadyThere (name);

    // fontconfig's listing order is arbitrary; sorting keeps the choice stable.
    candidates.sort (true);
    return candidates[0];
}

#endif
