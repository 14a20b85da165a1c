# Sources of style/ in the core library.
