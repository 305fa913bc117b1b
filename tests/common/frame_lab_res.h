// Resource ids of the frame and bar tests.
#pragma once

#define IDR_LAB 200     // the MDI frame: title, menu, accelerators
#define IDR_LAB_DOC 201 // the document's child frames: title and menu
#define ID_LAB_COMMAND 0x8201
#define ID_LAB_MISSING 0x8202 // a command without a prompt string
