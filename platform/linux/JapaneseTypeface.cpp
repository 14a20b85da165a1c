#include "platform/JapaneseTypeface.h"

#include <juce_graphics/juce_graphics.h>
#include <fontconfig/fontconfig.h>

#include <map>

#include "platform/linux/LibraryFunctions.h"

namespace
{
    /** The calls we make into fontconfig, which is loaded only when a Japanese text
        needs a typeface: an English start never maps it. */
    struct Fontconfig
    {
        decltype (&FcInit) init = nullptr;
        decltype (&FcCharSetCreate) charSetCreate = nullptr;
        decltype (&FcCharSetAddChar) charSetAddChar = nullptr;
        decltype (&FcCharSetDestroy) charSetDestroy = nullptr;
        decltype (&FcPatternCreate) patternCreate = nullptr;
        decltype (&FcPatternAddCharSet) patternAddCharSet = nullptr;
        decltype (&FcPatternGetString) patternGetString = nullptr;
        decltype (&FcPatternGetInteger) patternGetInteger = nullptr;
        decltype (&FcPatternDestroy) patternDestroy = nullptr;
        decltype (&FcObjectSetCreate) objectSetCreate = nullptr;
        decltype (&FcObjectSetAdd) objectSetAdd = nullptr;
        decltype (&FcObjectSetDestroy) objectSetDestroy = nullptr;
        decltype (&FcFontList) fontList = nullptr;
        decltype (&FcFontSetDestroy) fontSetDestroy = nullptr;

        /** Null when the library or one of its calls is missing. */
        static const Fontconfig* load()
        {
            static Fontconfig calls;
            static const auto loaded = calls.find (LibraryFunctions::openForGood ("libfontconfig.so.1"));
            return loaded ? &calls : nullptr;
        }

    private:
        bool find (void* library)
        {
            const auto bind = [library] (auto& call, const char* name)
            {
                return LibraryFunctions::find (library, call, name);
            };

            return bind (init, "FcInit") && bind (charSetCreate, "FcCharSetCreate")
                && bind (charSetAddChar, "FcCharSetAddChar") && bind (charSetDestroy, "FcCharSetDestroy")
                && bind (patternCreate, "FcPatternCreate") && bind (patternAddCharSet, "FcPatternAddCharSet")
                && bind (patternGetString, "FcPatternGetString") && bind (patternGetInteger, "FcPatternGetInteger")
                && bind (patternDestroy, "FcPatternDestroy")
                && bind (objectSetCreate, "FcObjectSetCreate") && bind (objectSetAdd, "FcObjectSetAdd")
                && bind (objectSetDestroy, "FcObjectSetDestroy") && bind (fontList, "FcFontList")
                && bind (fontSetDestroy, "FcFontSetDestroy");
        }
    };

    template <typename T>
    using FcPtr = std::unique_ptr<T, void (*) (T*)>;

    FcPtr<FcCharSet> makeCharSet (const Fontconfig& fc, const juce::String& text)
    {
        FcPtr<FcCharSet> charSet (fc.charSetCreate(), fc.charSetDestroy);

        // Latin letters too: some CJK fallback faces have none, and the texts mix both.
        for (auto t = text.getCharPointer(); ! t.isEmpty(); ++t)
            if (! juce::CharacterFunctions::isWhitespace (*t) && *t >= 0x20)
                fc.charSetAddChar (charSet.get(), (FcChar32) *t);

        return charSet;
    }

    /** fontconfig may list a localised family name first; the framework knows only one of them. */
    juce::String knownFamilyOf (const Fontconfig& fc, FcPattern* font, const juce::StringArray& knownFamilies)
    {
        FcChar8* family = nullptr;

        for (int i = 0; fc.patternGetString (font, FC_FAMILY, i, &family) == FcResultMatch; ++i)
        {
            auto name = juce::String::fromUTF8 (reinterpret_cast<const char*> (family));

            if (knownFamilies.contains (name))
                return name;
        }

        return {};
    }

    /** Lower is better: a proportional face, then one whose Latin letters are fixed-width
        (IPAGothic's), then a wholly fixed-width one. fontconfig leaves the spacing out
        for proportional faces. */
    int spacingRank (const Fontconfig& fc, FcPattern* font)
    {
        int spacing = FC_PROPORTIONAL;
        fc.patternGetInteger (font, FC_SPACING, 0, &spacing);

        if (spacing == FC_PROPORTIONAL)
            return 0;

        return spacing == FC_DUAL ? 1 : 2;
    }
}

juce::String JapaneseTypeface::findFamilyName (const juce::String& sampleText)
{
    const auto* fc = Fontconfig::load();

    if (fc == nullptr || fc->init() == FcFalse)
        return {};

    auto charSet = makeCharSet (*fc, sampleText);
    FcPtr<FcPattern> pattern (fc->patternCreate(), fc->patternDestroy);
    fc->patternAddCharSet (pattern.get(), FC_CHARSET, charSet.get());

    FcPtr<FcObjectSet> properties (fc->objectSetCreate(), fc->objectSetDestroy);
    fc->objectSetAdd (properties.get(), FC_FAMILY);
    fc->objectSetAdd (properties.get(), FC_SPACING);
    FcPtr<FcFontSet> fonts (fc->fontList (nullptr, pattern.get(), properties.get()), fc->fontSetDestroy);

    if (fonts == nullptr)
        return {};

    auto knownFamilies = juce::Font::findAllTypefaceNames();
    std::map<int, juce::StringArray> candidatesByRank;

    for (int i = 0; i < fonts->nfont; ++i)
        if (auto name = knownFamilyOf (*fc, fonts->fonts[i], knownFamilies); name.isNotEmpty())
            candidatesByRank[spacingRank (*fc, fonts->fonts[i])].addIfNotAlreadyThere (name);

    if (candidatesByRank.empty())
        return {};

    // fontconfig's listing order is arbitrary; sorting keeps the choice stable.
    auto& best = candidatesByRank.begin()->second;
    best.sort (true);
    return best[0];
}
