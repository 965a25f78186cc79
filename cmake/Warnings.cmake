# Every target of the project builds warning-free; a warning is an error.
add_compile_options(-Wall -Wextra -Werror)
