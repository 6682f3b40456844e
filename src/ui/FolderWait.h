// The window program's wait for a folder that another run is writing (an extraction, talpo-cli): a box
// names the folder for as long as the wait lasts, the window stays alive, and the user may give up.
#pragma once

#include "common/FolderLock.h"

class QWidget;

namespace talpo {

// A FolderLock's waiting call for the windows. It shows a box over owner's window naming the folder, with
// a cancel button, and tries for the lock every pollMs milliseconds while window messages go on. It
// returns once the lock is taken; cancel raises CancelledError, before anything was changed.
FolderLock::Waiting WaitingBox(QWidget* owner, int pollMs = 100);

}  // namespace talpo
