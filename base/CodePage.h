#pragma once
// Lead-byte test of the ANSI code page: text rules step over a double-byte
// character whole. On Windows this asks the system code page; elsewhere the
// code page is single-byte unless a test installs a lead-byte table.

using LeadBytePredicate = bool (*)(unsigned char);

bool IsLeadByte(unsigned char c);

// Replaces the predicate (nullptr restores the platform's). Returns the old one.
LeadBytePredicate SetLeadBytePredicate(LeadBytePredicate predicate);
