#pragma once
// The interface reference, generated from the code: every property of the property table, every
// member of the dispatch tables and every event of the event table, as Markdown. `glv doc`
// prints it and docs/reference.md is its output, so the reference cannot drift from the code.
// It lives beside the scenario runner because it reads the same tables, and the tests reach it
// in-process the same way.

#include <iosfwd>

namespace glv::reference {

void WriteReference(std::ostream& out);

}  // namespace glv::reference
