// Gives the shared precompiled header of the test programs a unit to hang on.
