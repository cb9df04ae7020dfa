// The translation unit that builds the test executables' shared precompiled header.
