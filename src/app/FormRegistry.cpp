#include "app/StartUp.h"

// Work forms register their program codes here; static libraries drop self-registering
// objects nobody references, so the list is explicit.
void StartUp::registerAllForms()
{
}
