// Qt Core's version tag, as a newer Qt Core has it: NewerQtCore.map gives it
// the version of that Qt, which a plugin built against it then needs.
extern "C" const char qt_version_tag = 0;
