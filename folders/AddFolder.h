// The folder services: the folder picker, the folder walk and the file listing.
#pragma once

#include "folders/FileListing.h"
#include "folders/FolderPicker.h"
#include "folders/FolderWalk.h"
#include "folders/NameChecks.h"
