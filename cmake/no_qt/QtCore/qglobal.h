// Every Qt header includes this one. A standard C++ library of Tallymar finds this
// file before Qt's own, so that including any Qt header there stops the build.
#error "standard C++ library: no Qt here"
