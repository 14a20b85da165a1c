#pragma once

#include <juce_core/juce_core.h>

/** Calls into a library that is opened at run time, only when it is needed. */
namespace LibraryFunctions
{
    /** Points the function pointer at the library's function of that name; false,
        and null, when the library has none. */
    template <typename Function>
    bool find (juce::DynamicLibrary& library, Function*& function, const char* name)
    {
        function = reinterpret_cast<Function*> (library.getFunction (name));
        return function != nullptr;
    }
}
