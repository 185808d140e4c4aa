// The one source of the libraries that only make the precompiled Qt headers.
