// Filled in with the quantity_list part of the problem data.
