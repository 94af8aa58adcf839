// Placeholder header for the session script reader.
#pragma once
