#pragma once

// Option handling and output that the data-set subcommands (build, demo, info) share.

#include "ToolCommon.h"
#include "data/DataWriter.h"

#include <filesystem>
#include <optional>

// --date YYYY-MM-DDTHH:MM:SS, which build and demo take.
TToolOption DateOption(std::string_view unlessGiven);

// The date of --date, or fallback when the option is absent; nullopt (after a message and
// the usage on stderr) when it is in another form.
std::optional<TCreationDate> CreationDateOption(const TToolArguments& arguments, const TCreationDate& fallback);

// The current local date and time, to the second.
TCreationDate LocalCreationDate();

// Adds the character file's entries to source from this machine's tables; without them the
// set is made without the file, after a note on stderr.
void AddCharacterFile(TDataSetSource& source);

// The end of a subcommand that makes a data set: unless made tells why source could not be
// made, writes its six data files into the folder out and prints the counts of sutras and
// subjects. ExitBadInput after the failure's message on stderr when either step failed.
int WriteDataSetAndCounts(const TToolArguments& arguments, const TResult& made, const TDataSetSource& source,
                          const TCreationDate& date, const std::filesystem::path& out);
