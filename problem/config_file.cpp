// Filled in with the config_file part of the problem data.
