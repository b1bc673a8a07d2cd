// Keeps orvane_w32 a valid library while a build has no Win32 sources yet.
