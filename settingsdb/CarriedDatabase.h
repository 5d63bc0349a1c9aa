#pragma once

#include <span>

// The initial settings database the program carries: an SQLite file built from
// resources/initial_database.sql and embedded at build time.
std::span<const unsigned char> CarriedDatabase();
