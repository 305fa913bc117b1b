// Ids of the themed toolkit's own resources and commands, shared by the toolkit, the program's
// resource script and the tests. The program's ids are in resources/resource.h.
#pragma once
