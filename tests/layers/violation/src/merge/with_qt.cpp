// Brings Qt into the core.
#include <QString>
