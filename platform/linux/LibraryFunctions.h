#pragma once

#include <dlfcn.h>

/** Calls into a library that is opened at run time, only when it is needed. */
namespace LibraryFunctions
{
    /** Opens the library for the rest of the run, or gives null: the libraries we
        open keep state of their own (GLib cannot be unloaded once it has run), and
        their frames must stay named for the leak checker at exit. */
    inline void* openForGood (const char* fileName)
    {
        return ::dlopen (fileName, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    }

    /** Points the function pointer at the library's function of that name; false,
        and null, when the library has none. */
    template <typename Function>
    bool find (void* library, Function*& function, const char* name)
    {
        function = library == nullptr ? nullptr : reinterpret_cast<Function*> (::dlsym (library, name));
        return function != nullptr;
    }
}
