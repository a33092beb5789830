// Filled in with the loader part of the problem data.
