// Resource ids of fwlab.
#pragma once

#define IDR_LAB 200     // the frame: title, menu, accelerators
#define IDR_LAB_DOC 201 // the documents' child frames
#define ID_LAB_COMMAND 40100
#define ID_LAB_DISABLED 40101
