// Resource ids of the document tests.
#pragma once

#define IDR_TESTDOC 210       // the test documents' template: strings, menu
#define ID_TESTDOC_CMD 0x8210 // handled by the document, enabled by the view
