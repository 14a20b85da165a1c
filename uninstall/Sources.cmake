# Sources of uninstall/ in the core library.
