// Nothing of its own: compiled only to make the Qt Test programs' shared
// precompiled headers.
