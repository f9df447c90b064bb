// What the user is told when the program runs without administrator rights.
#pragma once

class TPellinMainForm;

// Says in the process log, and on standard error for a start from a
// terminal, that drives and disks need administrator rights: the lists are
// empty for that reason, not because there is nothing to image.
void NoteMissingAdministratorRights(TPellinMainForm& form);
