// The compiled headers are made for this empty file (cmake/Precompiled.cmake).
